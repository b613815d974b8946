#include "Render/OGL/ClientQuads.h"

#include "Render/OGL/GL.h"

namespace Render {
namespace OGL {

namespace {
constexpr int kFloatsPerCorner = 3;
constexpr int kCornersPerQuad = 4;
}  // namespace

void drawClientQuads(const float* corners, int quads) {
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
    glClientActiveTexture(GL_TEXTURE0);
    // The pointer below is client memory: no buffer object may be bound.
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(kFloatsPerCorner, GL_FLOAT, 0, corners);
    glDrawArrays(GL_QUADS, 0, kCornersPerQuad * quads);
    glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace OGL
}  // namespace Render
