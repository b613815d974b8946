#pragma once

#include <vector>

namespace EVT {
class I_Event;
}

namespace Game {

class I_View;

// The views of the game, bottom first. The frame calls of the game manager are passed
// on to them. Views may be added and removed at any moment, also by a view or a logic
// state in the middle of a walk: additions and removals are applied at the start of
// the next onUpdate, onRender or onInput, and a removed view is never called again.
// The manager never deletes a view; whoever added it does.
class ViewManager {
public:
    ViewManager();
    virtual ~ViewManager();

    ViewManager(const ViewManager&) = delete;
    ViewManager& operator=(const ViewManager&) = delete;

    // Queues the view for adding on top and gives it the current size at once.
    virtual void add(I_View* view);
    // Queues the view for removal. A removal does not cancel an addition made since
    // the last applied changes: such a view ends up in the list.
    virtual void remove(I_View* view);
    // These three walk the current views bottom to top without applying pending
    // changes; views whose removal is pending are skipped.
    virtual void setPause(bool paused);
    // Does nothing when the size is unchanged.
    virtual void setScreenSize(int width, int height);
    virtual void preUpdate(float elapsed);
    // These three apply the pending changes first and skip views removed meanwhile.
    virtual void onUpdate(float elapsed);
    virtual void onRender();
    // Offers the event top to bottom until a view consumes it (returns null).
    virtual void onInput(EVT::I_Event* event);
    virtual void getScreenSize(int& width, int& height) const;
    // False for a view whose removal is pending.
    virtual bool viewStillValid(const I_View* view) const;
    virtual void doPendingUpdates();

private:
    int screenWidth = 0;
    int screenHeight = 0;
    std::vector<I_View*> views;           // not owned; bottom first
    std::vector<I_View*> pendingAdds;     // not owned
    std::vector<I_View*> pendingRemoves;  // not owned; never called
};

}  // namespace Game
