#pragma once

#include <string>

#include "EVT/I_EventConsumer.h"
#include "Game/I_LogicState.h"

namespace Game {
class GameManager;
}

namespace Tool {

// The title state ("TITLE"), between games. It draws nothing (the main view keeps
// showing the last field with the info text) and waits for two fixed keys: escape
// raises the quit request, space returns "START".
class TitleLogic : public Game::I_LogicState, public EVT::I_EventConsumer {
public:
    static constexpr unsigned char kQuitKey = 27;   // "ESC"
    static constexpr unsigned char kStartKey = 32;  // "SPACE"

    // manager is not owned and not used further. Subscribes to the event types 2 and 22,
    // which nothing in the game raises.
    explicit TitleLogic(Game::GameManager* manager);

    void setPause(bool paused) override;
    // Empties the transition; both arguments are ignored.
    void onEnter(const std::string& previousState, const std::string& transition) override;
    // Escape held: raises the quit request at once and leaves the transition as it is.
    // Otherwise space held, or a replay waiting to be played: the transition becomes
    // "START". dt is ignored.
    std::string onUpdate(float dt) override;
    void doExit(const std::string& next) override;
    // Ignores every event.
    void handleEvent(EVT::I_Event* event) override;

    // The manager given at construction.
    Game::GameManager* getManager() const { return manager; }

private:
    Game::GameManager* manager;  // not owned
    std::string transition;
};

}  // namespace Tool
