#pragma once

namespace Game {
class GameManager;
class I_View;
}  // namespace Game

namespace Tool {

class MainLogic;

// Makes the view of the running state on its first entry. manager (not owned, may be
// null) and logic (not owned) are those of the state; the state owns the result.
using ViewFactory = Game::I_View* (*)(Game::GameManager* manager, MainLogic* logic);

// The game's own main view, the default factory of the running state. It is defined
// next to Tool::MainView.
Game::I_View* createMainView(Game::GameManager* manager, MainLogic* logic);

}  // namespace Tool
