#pragma once

namespace Render {
namespace OGL {

// The window system's swap-interval call (1 waits for the vertical blank, 0 does not).
// The back end calls no window system itself: the window layer that owns the context
// installs its function once the context is current, and the render controller's
// vertical sync goes through setSwapInterval.
using SwapIntervalFunction = void (*)(int interval);

// Installs the function setSwapInterval calls; null removes it.
void installSwapInterval(SwapIntervalFunction function);

// Calls the installed function with the interval; without one it does nothing.
void setSwapInterval(int interval);

}  // namespace OGL
}  // namespace Render
