#pragma once

#include "Game/I_View.h"
#include "game/MainViewFactory.h"

namespace Tool {

// A view that draws nothing and passes every input on: the running state's view when
// the game logic runs without a window (tests, the simulator).
class HeadlessView : public Game::I_View {
public:
    void setPause(bool) override {}
    void setScreenSize(int, int) override {}
    void preUpdate(float) override {}
    void onUpdate(float) override {}
    void onRender() override {}
    EVT::I_Event* onInput(EVT::I_Event* event) override { return event; }
    Game::ViewBox getViewBox() const override { return Game::ViewBox{}; }
};

// A ViewFactory that makes a HeadlessView.
Game::I_View* createHeadlessView(Game::GameManager* manager, MainLogic* logic);

}  // namespace Tool
