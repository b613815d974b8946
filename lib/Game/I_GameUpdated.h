#pragma once

namespace Game {

// Called by the game manager on every update, after the timers and before the logic,
// with the frame's elapsed game time in milliseconds.
class I_GameUpdated {
public:
    virtual ~I_GameUpdated() = default;
    virtual void gameUpdated(const float& elapsed) = 0;
};

}  // namespace Game
