#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "EVT/Event.h"
#include "Game/I_View.h"
#include "Game/ViewManager.h"

namespace {

using Log = std::vector<std::string>;

// A view that logs its calls and runs optional actions from onUpdate and onInput.
class LoggingView : public Game::I_View {
public:
    LoggingView(std::string viewName, Log& sharedLog) : name(std::move(viewName)), log(sharedLog) {}

    void setPause(bool paused) override { log.push_back(name + ".pause" + (paused ? "1" : "0")); }
    void setScreenSize(int width, int height) override {
        log.push_back(name + ".size" + std::to_string(width) + "x" + std::to_string(height));
    }
    void preUpdate(float) override { log.push_back(name + ".pre"); }
    void onUpdate(float) override {
        log.push_back(name + ".update");
        if (onUpdateAction) {
            onUpdateAction();
        }
    }
    void onRender() override { log.push_back(name + ".render"); }
    EVT::I_Event* onInput(EVT::I_Event* event) override {
        log.push_back(name + ".input");
        return consumesInput ? nullptr : event;
    }
    Game::ViewBox getViewBox() const override { return Game::ViewBox{}; }

    std::string name;
    Log& log;
    std::function<void()> onUpdateAction;
    bool consumesInput = false;
};

}  // namespace

TEST(ViewManager, AddGivesTheSizeAtOnceAndTheViewJoinsAtTheNextFrameCall) {
    Log log;
    Game::ViewManager manager;
    manager.setScreenSize(640, 480);
    LoggingView a("a", log);
    manager.add(&a);
    manager.preUpdate(1.0f);  // does not apply pending additions
    manager.onUpdate(1.0f);
    EXPECT_EQ(log, (Log{"a.size640x480", "a.update"}));
    int width = 0, height = 0;
    manager.getScreenSize(width, height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
}

TEST(ViewManager, AnUnchangedSizeDoesNotCallTheViews) {
    Log log;
    Game::ViewManager manager;
    LoggingView a("a", log);
    manager.add(&a);
    manager.onRender();
    manager.setScreenSize(800, 600);
    manager.setScreenSize(800, 600);
    manager.setScreenSize(800, 601);
    EXPECT_EQ(log, (Log{"a.size0x0", "a.render", "a.size800x600", "a.size800x601"}));
}

TEST(ViewManager, AViewRemovingAndDeletingItselfDuringUpdateIsNeverCalledAgain) {
    Log log;
    Game::ViewManager manager;
    LoggingView bottom("bottom", log), top("top", log);
    auto* middle = new LoggingView("middle", log);
    manager.add(&bottom);
    manager.add(middle);
    manager.add(&top);
    manager.onRender();
    log.clear();
    middle->onUpdateAction = [&] {
        manager.remove(middle);
        delete middle;
    };

    manager.onUpdate(1.0f);
    manager.onRender();
    manager.preUpdate(1.0f);
    EXPECT_EQ(log, (Log{"bottom.update", "middle.update", "top.update", "bottom.render",
                        "top.render", "bottom.pre", "top.pre"}));
}

TEST(ViewManager, ARemovedViewIsNotRenderedAndAnAddedOneIsRenderedInTheSameFrame) {
    Log log;
    Game::ViewManager manager;
    LoggingView a("a", log), b("b", log), fresh("fresh", log);
    manager.add(&a);
    manager.add(&b);
    manager.onRender();
    log.clear();
    a.onUpdateAction = [&] {
        manager.remove(&b);
        manager.add(&fresh);
        a.onUpdateAction = nullptr;
    };

    manager.onUpdate(1.0f);
    manager.onRender();
    EXPECT_EQ(log, (Log{"a.update", "fresh.size0x0", "a.render", "fresh.render"}));
}

TEST(ViewManager, ARemovedViewIsSkippedByTheWalksThatDoNotApplyChanges) {
    Log log;
    Game::ViewManager manager;
    LoggingView a("a", log), b("b", log);
    manager.add(&a);
    manager.add(&b);
    manager.onRender();
    log.clear();
    manager.remove(&a);  // its owner may delete it right away
    manager.preUpdate(1.0f);
    manager.setPause(true);
    manager.setScreenSize(320, 200);
    EXPECT_EQ(log, (Log{"b.pre", "b.pause1", "b.size320x200"}));
    EXPECT_FALSE(manager.viewStillValid(&a));
    EXPECT_TRUE(manager.viewStillValid(&b));
}

TEST(ViewManager, InputGoesTopDownUntilAViewConsumesIt) {
    Log log;
    Game::ViewManager manager;
    LoggingView bottom("bottom", log), middle("middle", log), top("top", log);
    manager.add(&bottom);
    manager.add(&middle);
    manager.add(&top);
    middle.consumesInput = true;
    EVT::Event_Key key(97, true, 0);
    manager.onInput(&key);
    EXPECT_EQ(
        log, (Log{"bottom.size0x0", "middle.size0x0", "top.size0x0", "top.input", "middle.input"}));
}

TEST(ViewManager, AddThenRemoveBeforeTheChangesApplyKeepsTheView) {
    Log log;
    Game::ViewManager manager;
    LoggingView a("a", log);
    manager.add(&a);
    manager.remove(&a);
    manager.remove(&a);  // removing twice, or a view never added, does no harm
    manager.onRender();
    manager.onRender();
    EXPECT_EQ(log, (Log{"a.size0x0", "a.render", "a.render"}));
}
