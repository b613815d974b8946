#pragma once

namespace Render {
namespace OGL {

// The OpenGL work of the window application's frame loop and clear, so that the window
// layer calls no OpenGL itself. Each needs the window's context current.

// Saves the current matrix of the selected matrix mode before the frame is drawn;
// popFrameMatrix restores it afterwards, whatever the frame's drawing left behind.
void pushFrameMatrix();
void popFrameMatrix();

// Clears the colour and depth buffers; the colour's channels run from 0 to 1. The
// stencil buffer is left alone.
void clearColorAndDepth(float red, float green, float blue, float alpha);

}  // namespace OGL
}  // namespace Render
