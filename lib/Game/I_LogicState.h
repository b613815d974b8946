#pragma once

#include <string>

namespace Game {

// One named state of the game logic, run by Game::LogicController.
class I_LogicState {
public:
    virtual ~I_LogicState() = default;

    // Pause or resume; called for the running state only.
    virtual void setPause(bool paused) = 0;
    // The state becomes the running state. previousState is the name of the state that
    // was running ("" on the very first entry); transition is the result that caused
    // the switch, or "*" when it matched no named transition.
    virtual void onEnter(const std::string& previousState, const std::string& transition) = 0;
    // One frame while running; elapsed in milliseconds. An empty result keeps the
    // state running, anything else asks for a transition.
    virtual std::string onUpdate(float elapsed) = 0;
    // Never called by the controller: a state that cleans up when it leaves calls it
    // itself before returning its transition.
    virtual void doExit(const std::string& next) = 0;
};

}  // namespace Game
