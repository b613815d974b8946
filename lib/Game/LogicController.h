#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Game/I_LogicController.h"

namespace Game {

class I_LogicState;

// Runs one named logic state at a time and switches when the running state's update
// returns a transition name. Each state has a table of (transition name, target state)
// pairs: the first pair whose name is a prefix of the result wins, then a pair named
// "*", and without either (or when the target name is unknown) the next state in the
// order added, cyclically. The first state added is entered on the first update.
class LogicController : public I_LogicController {
public:
    using Transitions = std::vector<std::pair<std::string, std::string>>;

    LogicController();
    // Deletes every state, the last added first.
    ~LogicController() override;

    LogicController(const LogicController&) = delete;
    LogicController& operator=(const LogicController&) = delete;

    // Appends a state under name (names are not checked for uniqueness); the
    // controller takes ownership of state.
    void add(const std::string& name, I_LogicState* state, const Transitions& transitions);

    // Forwards to the running state; does nothing before the first update.
    void setPause(bool paused) override;
    void onUpdate(float elapsed) override;

    // The state of the first record with the name, or null.
    virtual I_LogicState* getState(const std::string& name) const;

private:
    struct Info {
        std::string name;
        I_LogicState* state;  // owned
        Transitions transitions;
    };

    static constexpr int kNoState = -1;

    const Transitions::value_type* findTransition(const Info& running,
                                                  const std::string& result) const;
    int indexOf(const std::string& name) const;

    std::vector<Info> states;
    int current = kNoState;  // index of the running state in states
};

}  // namespace Game
