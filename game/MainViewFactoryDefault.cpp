#include "game/HeadlessView.h"
#include "game/MainViewFactory.h"

namespace Tool {

// Stands in for the main view until Tool::MainView is written: the game then runs its
// logic with a view that draws nothing. Removed when MainView.cpp defines the factory.
Game::I_View* createMainView(Game::GameManager* manager, MainLogic* logic) {
    return createHeadlessView(manager, logic);
}

}  // namespace Tool
