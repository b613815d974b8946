#pragma once

#include "Game/I_View.h"

namespace GameHelper {

// A rectangle in window pixels that can be taken from a view, for the form of
// RenderHelper::set2D that projects onto one view's area.
class ViewBoxHelper {
public:
    ViewBoxHelper() = default;
    explicit ViewBoxHelper(const Game::ViewBox& box) : viewBox(box) {}
    // The view's box at the moment of construction.
    explicit ViewBoxHelper(const Game::I_View& view) : viewBox(view.getViewBox()) {}
    virtual ~ViewBoxHelper() = default;

    virtual const Game::ViewBox& getViewBox() const { return viewBox; }
    virtual void setViewBox(const Game::ViewBox& box) { viewBox = box; }

private:
    Game::ViewBox viewBox;
};

}  // namespace GameHelper
