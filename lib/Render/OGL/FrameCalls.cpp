#include "Render/OGL/FrameCalls.h"

#include "Render/OGL/GL.h"

namespace Render {
namespace OGL {

void pushFrameMatrix() {
    glPushMatrix();
}

void popFrameMatrix() {
    glPopMatrix();
}

void clearColorAndDepth(float red, float green, float blue, float alpha) {
    glClearColor(red, green, blue, alpha);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

}  // namespace OGL
}  // namespace Render
