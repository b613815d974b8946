#include "Render/OGL/SwapInterval.h"

namespace Render {
namespace OGL {

namespace {
SwapIntervalFunction installedSwapInterval = nullptr;  // installed by the window layer
}  // namespace

void installSwapInterval(SwapIntervalFunction function) {
    installedSwapInterval = function;
}

void setSwapInterval(int interval) {
    if (installedSwapInterval) {
        installedSwapInterval(interval);
    }
}

}  // namespace OGL
}  // namespace Render
