#include "Game/ViewManager.h"

#include <algorithm>

#include "Game/I_View.h"

namespace Game {

ViewManager::ViewManager() = default;

ViewManager::~ViewManager() = default;

void ViewManager::add(I_View* view) {
    pendingAdds.push_back(view);
    view->setScreenSize(screenWidth, screenHeight);
}

void ViewManager::remove(I_View* view) {
    pendingRemoves.push_back(view);
}

// The walks below go by index over views, which only doPendingUpdates changes; a call
// from a view that re-enters the manager therefore never invalidates them.
//
// setPause, setScreenSize and preUpdate do not apply pending changes, but they too skip
// a view whose removal is pending: its owner may already have deleted it.

void ViewManager::setPause(bool paused) {
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (viewStillValid(views[i])) {
            views[i]->setPause(paused);
        }
    }
}

void ViewManager::setScreenSize(int width, int height) {
    if (width == screenWidth && height == screenHeight) {
        return;
    }
    screenWidth = width;
    screenHeight = height;
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (viewStillValid(views[i])) {
            views[i]->setScreenSize(width, height);
        }
    }
}

void ViewManager::preUpdate(float elapsed) {
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (viewStillValid(views[i])) {
            views[i]->preUpdate(elapsed);
        }
    }
}

void ViewManager::onUpdate(float elapsed) {
    doPendingUpdates();
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (viewStillValid(views[i])) {
            views[i]->onUpdate(elapsed);
        }
    }
}

void ViewManager::onRender() {
    doPendingUpdates();
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (viewStillValid(views[i])) {
            views[i]->onRender();
        }
    }
}

void ViewManager::onInput(EVT::I_Event* event) {
    doPendingUpdates();
    for (std::size_t i = views.size(); i > 0 && event != nullptr; --i) {
        I_View* view = views[i - 1];
        if (viewStillValid(view)) {
            event = view->onInput(event);
        }
    }
}

void ViewManager::getScreenSize(int& width, int& height) const {
    width = screenWidth;
    height = screenHeight;
}

bool ViewManager::viewStillValid(const I_View* view) const {
    return std::find(pendingRemoves.begin(), pendingRemoves.end(), view) == pendingRemoves.end();
}

void ViewManager::doPendingUpdates() {
    for (I_View* removed : pendingRemoves) {
        auto it = std::find(views.begin(), views.end(), removed);
        if (it != views.end()) {
            views.erase(it);
        }
    }
    pendingRemoves.clear();
    views.insert(views.end(), pendingAdds.begin(), pendingAdds.end());
    pendingAdds.clear();
}

}  // namespace Game
