#pragma once

namespace Game {

// Told by the game manager whenever the drawing area changes size, and once with the
// current size (0 by 0 before the first size event) when it is added.
class I_ScreenWatcher {
public:
    virtual ~I_ScreenWatcher() = default;
    virtual void screenSizeChanged(int width, int height) = 0;
};

}  // namespace Game
