#pragma once

// The project's one OpenGL header: every file that calls OpenGL includes this one and
// no other GL header, so that it is the one place where the platform's OpenGL is
// reached. The desktop build loads OpenGL through libepoxy, whose header must come
// before any GLFW or GLU header (GLFW users define GLFW_INCLUDE_NONE). A platform with
// its own GL headers changes the include below and the definitions in GL.cpp, nothing
// else.
// QUORLITH_DESKTOP_GL is 1 where the whole of desktop OpenGL can be reached and 0 in the
// browser, whose emulation lacks buffer mapping and read-back, pixel drawing, attribute
// stacks, 3-D textures, secondary colours, double-precision queries and framebuffer
// blitting: code that calls those entry points is compiled only where it is 1, and the
// browser takes the path of a driver without them.
#ifdef __EMSCRIPTEN__
#define QUORLITH_DESKTOP_GL 0
// The browser: emscripten's own headers, whose entry points its fixed-function
// emulation implements on top of WebGL.
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES
#endif
#include <GL/gl.h>
#include <GL/glext.h>
#else
#define QUORLITH_DESKTOP_GL 1
#include <epoxy/gl.h>
#endif

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
