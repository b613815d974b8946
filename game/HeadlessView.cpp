#include "game/HeadlessView.h"

namespace Tool {

Game::I_View* createHeadlessView(Game::GameManager* /*manager*/, MainLogic* /*logic*/) {
    return new HeadlessView();
}

}  // namespace Tool
