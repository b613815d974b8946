#pragma once

#include "Render/ViewBox.h"

namespace GameHelper {

// A rectangle in window pixels, for example a view's box (Game::I_View::getViewBox), for
// the form of RenderHelper::set2D that projects onto one view's area.
class ViewBoxHelper {
public:
    ViewBoxHelper() = default;
    explicit ViewBoxHelper(const Render::ViewBox& box) : viewBox(box) {}
    virtual ~ViewBoxHelper() = default;

    virtual const Render::ViewBox& getViewBox() const { return viewBox; }
    virtual void setViewBox(const Render::ViewBox& box) { viewBox = box; }

private:
    Render::ViewBox viewBox;
};

}  // namespace GameHelper
