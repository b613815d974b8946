#pragma once

#include "Render/ViewBox.h"

namespace EVT {
class I_Event;
}

namespace Game {

// A view's area in window pixels. The type lives with the renderer, so that the sprite
// and font libraries can project onto it without the framework.
using ViewBox = Render::ViewBox;

// A view draws and gets the first look at input. Views are kept by Game::ViewManager,
// which calls them bottom to top, and top to bottom for input.
class I_View {
public:
    virtual ~I_View() = default;

    virtual void setPause(bool paused) = 0;
    // The drawing area's size in pixels.
    virtual void setScreenSize(int width, int height) = 0;
    // Start of a frame; elapsed in milliseconds.
    virtual void preUpdate(float elapsed) = 0;
    // The frame's update, after the game logic; elapsed in milliseconds.
    virtual void onUpdate(float elapsed) = 0;
    virtual void onRender() = 0;
    // Offered an input event (not owned): returns the event to offer to the view
    // below, or null when this view consumed it.
    virtual EVT::I_Event* onInput(EVT::I_Event* event) = 0;
    // The view's area; the manager does not call it.
    virtual ViewBox getViewBox() const = 0;
};

}  // namespace Game
