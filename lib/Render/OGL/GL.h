#pragma once

// The project's one OpenGL header: every file that calls OpenGL includes this one and
// no other GL header, so that it is the one place where the platform's OpenGL is
// reached. The desktop build loads OpenGL through libepoxy, whose header must come
// before any GLFW or GLU header (GLFW users define GLFW_INCLUDE_NONE). A platform with
// its own GL headers changes the include below and the definitions in GL.cpp, nothing
// else.
#include <epoxy/gl.h>

namespace Render {
namespace OGL {

// True when the current context offers the named extension, e.g.
// "GL_EXT_framebuffer_object". Needs a current context.
bool hasGLExtension(const char* name);

// The current context's OpenGL version as major * 10 + minor (4.5 gives 45). Needs a
// current context.
int glVersion();

}  // namespace OGL
}  // namespace Render
