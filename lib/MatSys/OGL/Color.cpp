#include "MatSys/OGL/Color.h"

#include "Render/OGL/GL.h"

namespace MatSys::OGL {

void Color::use() const {
    glColor4ub(color.r, color.g, color.b, color.a);
}

}  // namespace MatSys::OGL
