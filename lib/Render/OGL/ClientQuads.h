#pragma once

namespace Render {
namespace OGL {

// Draws quads straight from client memory, untextured, in the current colour: four
// corners of three floats (x, y, z) per quad, quads * 12 floats in all. Texture unit 0
// becomes the active and the client-active unit, 2-D texturing is disabled and no
// buffer object stays bound to GL_ARRAY_BUFFER. Needs a current context.
void drawClientQuads(const float* corners, int quads);

}  // namespace OGL
}  // namespace Render
