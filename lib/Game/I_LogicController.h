#pragma once

namespace Game {

// What the game manager sees of the game logic: one update per frame, and pausing.
class I_LogicController {
public:
    virtual ~I_LogicController() = default;

    virtual void setPause(bool paused) = 0;
    // One frame of game logic; elapsed in milliseconds of game time.
    virtual void onUpdate(float elapsed) = 0;
};

}  // namespace Game
