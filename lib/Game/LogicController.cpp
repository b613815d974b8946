#include "Game/LogicController.h"

#include "Game/I_LogicState.h"

namespace Game {

namespace {
const std::string kWildcard = "*";
}

LogicController::LogicController() = default;

LogicController::~LogicController() {
    for (auto it = states.rbegin(); it != states.rend(); ++it) {
        delete it->state;
    }
}

void LogicController::add(const std::string& name, I_LogicState* state,
                          const Transitions& transitions) {
    states.push_back(Info{name, state, transitions});
}

I_LogicState* LogicController::getState(const std::string& name) const {
    const int index = indexOf(name);
    return index == kNoState ? nullptr : states[static_cast<std::size_t>(index)].state;
}

void LogicController::setPause(bool paused) {
    if (current != kNoState) {
        states[static_cast<std::size_t>(current)].state->setPause(paused);
    }
}

void LogicController::onUpdate(float elapsed) {
    if (states.empty()) {
        return;
    }
    if (current == kNoState) {
        current = 0;
        states[0].state->onEnter("", "");
    }
    std::string result = states[static_cast<std::size_t>(current)].state->onUpdate(elapsed);
    if (result.empty()) {
        return;
    }
    // Looked up after the update, which may have added states and moved the records.
    const Info& running = states[static_cast<std::size_t>(current)];

    const Transitions::value_type* transition = findTransition(running, result);
    if (transition == nullptr) {
        result = kWildcard;
        for (const auto& pair : running.transitions) {
            if (pair.first == kWildcard) {
                transition = &pair;
                break;
            }
        }
    }

    int target = transition == nullptr ? kNoState : indexOf(transition->second);
    if (target == kNoState) {
        target = (current + 1) % static_cast<int>(states.size());
    }
    // A copy: entering the target may add states and move the records.
    const std::string previous = running.name;
    states[static_cast<std::size_t>(target)].state->onEnter(previous, result);
    current = target;
}

// The first pair whose transition name is a prefix of result ("" matches any result).
const LogicController::Transitions::value_type* LogicController::findTransition(
    const Info& running, const std::string& result) const {
    for (const auto& pair : running.transitions) {
        if (pair.first.size() <= result.size() &&
            result.compare(0, pair.first.size(), pair.first) == 0) {
            return &pair;
        }
    }
    return nullptr;
}

int LogicController::indexOf(const std::string& name) const {
    for (std::size_t i = 0; i < states.size(); ++i) {
        if (states[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return kNoState;
}

}  // namespace Game
