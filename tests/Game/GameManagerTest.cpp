#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Devices/Keyboard.h"
#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "Game/EventRecorder.h"
#include "Game/GameManager.h"
#include "Game/I_GameUpdated.h"
#include "Game/I_LogicController.h"
#include "Game/I_ScreenWatcher.h"
#include "Game/I_View.h"
#include "Game/I_WindowApp.h"
#include "Game/ViewManager.h"
#include "support/LoggingTimer.h"

namespace {

using Log = std::vector<std::string>;
using TestSupport::LoggingTimer;

EVT::EventBus& bus() {
    return Util::Singleton<EVT::EventBus>::instance();
}

// A window application without a window: it logs what the manager asks of it.
class LoggingWindow : public Game::I_WindowApp {
public:
    explicit LoggingWindow(Log& log) : log(log) {}
    bool initWindowApp() override {
        log.push_back("init window");
        return initSucceeds;
    }
    void run() override { log.push_back("run window"); }
    void getAllowedSizes(std::vector<std::pair<int, int>>& sizes) override { sizes.clear(); }
    void setSize(const std::pair<int, int>&) override {}
    double getTime() const override { return 12.5; }
    void resetTime() override { log.push_back("reset time"); }
    void showWindow() override { log.push_back("show"); }
    void clearWindow(unsigned long colour) override {
        log.push_back("clear " + std::to_string(colour));
    }

    Log& log;
    bool initSucceeds = true;
};

class LoggingLogic : public Game::I_LogicController {
public:
    explicit LoggingLogic(Log& log) : log(log) {}
    void setPause(bool paused) override {
        log.push_back(std::string("logic pause ") + (paused ? "on" : "off"));
    }
    void onUpdate(float elapsed) override {
        log.push_back("logic " + std::to_string(static_cast<int>(elapsed)));
        if (onUpdateHook) {
            onUpdateHook();
        }
    }
    Log& log;
    std::function<void()> onUpdateHook;
};

class LoggingView : public Game::I_View {
public:
    explicit LoggingView(Log& log) : log(log) {}
    void setPause(bool paused) override {
        log.push_back(std::string("view pause ") + (paused ? "on" : "off"));
    }
    void setScreenSize(int width, int height) override {
        log.push_back("view size " + std::to_string(width) + "x" + std::to_string(height));
    }
    void preUpdate(float elapsed) override {
        log.push_back("view pre " + std::to_string(static_cast<int>(elapsed)));
    }
    void onUpdate(float elapsed) override {
        log.push_back("view update " + std::to_string(static_cast<int>(elapsed)));
    }
    void onRender() override { log.push_back("view render"); }
    EVT::I_Event* onInput(EVT::I_Event* event) override {
        log.push_back("view input " + std::to_string(event->type));
        if (inputHook) {
            inputHook(*event);
        }
        return event;
    }
    Game::ViewBox getViewBox() const override { return {}; }
    Log& log;
    std::function<void(EVT::I_Event&)> inputHook;
};

class LoggingListener : public Game::I_GameUpdated {
public:
    LoggingListener(Log& log, std::string name) : log(log), name(std::move(name)) {}
    void gameUpdated(const float& elapsed) override {
        log.push_back(name + " " + std::to_string(static_cast<int>(elapsed)));
        if (hook) {
            hook();
        }
    }
    Log& log;
    std::string name;
    std::function<void()> hook;
};

class LoggingWatcher : public Game::I_ScreenWatcher {
public:
    explicit LoggingWatcher(Log& log) : log(log) {}
    void screenSizeChanged(int width, int height) override {
        log.push_back("watcher " + std::to_string(width) + "x" + std::to_string(height));
    }
    Log& log;
};

void raiseFrame(float elapsed) {
    EVT::Event_PreUpdate pre(elapsed);
    bus().raiseEvent(&pre, false);
    EVT::Event_Update update(elapsed);
    bus().raiseEvent(&update, false);
    bus().raiseEvent(EVT::ET_RENDER, false);
}

void raiseScreen(int width, int height) {
    EVT::Event_Screen screen(width, height);
    bus().raiseEvent(&screen, false);
}

// A manager with a logging window, logic controller and one view.
class GameManagerFrame : public ::testing::Test {
protected:
    GameManagerFrame() { useManager(60, 5); }

    void useManager(int frameRate, int maxFrameSkip) {
        manager = std::make_unique<Game::GameManager>(0, 0, frameRate, maxFrameSkip);
        manager->setWindowApp(&window);
        manager->setLogicController(&logic);
        manager->getViewManager()->add(&view);
        manager->getViewManager()->doPendingUpdates();  // as after a previous frame
    }

    // Drawn (true) or skipped (false), for frames of the given lengths.
    std::vector<bool> drawn(const std::vector<float>& lengths) {
        std::vector<bool> result;
        for (float length : lengths) {
            log.clear();
            raiseFrame(length);
            result.push_back(std::find(log.begin(), log.end(), "show") != log.end());
        }
        return result;
    }

    Log log;
    LoggingWindow window{log};
    LoggingLogic logic{log};
    LoggingView view{log};
    std::unique_ptr<Game::GameManager> manager;
};

TEST_F(GameManagerFrame, OneFrameRunsInTheFixedOrder) {
    LoggingListener first(log, "listener A");
    LoggingListener second(log, "listener B");
    manager->addGameUpdated(&first);
    manager->addGameUpdated(&second);
    manager->addGameUpdated(&first);
    LoggingTimer timer(log);
    timer.start(5.0f, 0.0f);
    window.setClearColor(0x11223344u);
    log.clear();

    raiseFrame(10.0f);
    const Log expected{"view pre 10",
                       "timer",
                       "listener A 10",
                       "listener B 10",
                       "logic 10",
                       "view update 10",
                       "clear " + std::to_string(0x11223344u),
                       "view render",
                       "show"};
    EXPECT_EQ(log, expected);
}

TEST_F(GameManagerFrame, WithoutTheClearFlagTheFrameIsDrawnUncleared) {
    window.setClearWindow(false);
    log.clear();
    bus().raiseEvent(EVT::ET_RENDER, false);
    EXPECT_EQ(log, (Log{"view render", "show"}));
}

TEST_F(GameManagerFrame, LongFramesSkipRendersUpToTheLimit) {
    // 60 frames a second: 16.7 ms; at most 5 skipped in a row.
    const std::vector<bool> expected{false, false, false, false, false, true, false, true};
    EXPECT_EQ(drawn({20, 20, 20, 20, 20, 20, 20, 10}), expected);
}

TEST_F(GameManagerFrame, ASkippedFrameRunsTheUpdateButDrawsNothing) {
    raiseFrame(30.0f);
    EXPECT_EQ(log, (Log{"view size 0x0", "view pre 30", "logic 30", "view update 30"}));
}

TEST_F(GameManagerFrame, NoSkipWithoutLimitOrFrameRateOrOnTheExactFrameTime) {
    useManager(60, 0);
    EXPECT_EQ(drawn({100, 100, 100}), (std::vector<bool>{true, true, true}));
    useManager(0, 5);
    EXPECT_EQ(drawn({100, 100, 100}), (std::vector<bool>{true, true, true}));
    useManager(50, 5);  // 20 ms exactly
    EXPECT_EQ(drawn({20, 20.5f, 20}), (std::vector<bool>{true, false, true}));
}

TEST_F(GameManagerFrame, PauseAndResumeReachTimersViewsAndLogicInThatOrder) {
    LoggingTimer timer(log);
    timer.start(100.0f, 0.0f);
    log.clear();
    bus().raiseEvent(EVT::ET_PAUSE, false);
    EXPECT_TRUE(timer.isPaused());
    EXPECT_EQ(log, (Log{"view pause on", "logic pause on"}));
    log.clear();
    bus().raiseEvent(EVT::ET_RESUME, false);
    EXPECT_FALSE(timer.isPaused());
    EXPECT_EQ(log, (Log{"view pause off", "logic pause off"}));
}

TEST_F(GameManagerFrame, InputEventsGoToTheViews) {
    EVT::Event_Key key('a', true, 0);
    EVT::Event_Mouse mouse(1, 2, 0, 1, true);
    EVT::Event_Joypad pad(0, 0, 0);
    EVT::Event_EnterLeave focus(true);
    log.clear();
    bus().raiseEvent(&key, false);
    bus().raiseEvent(&mouse, false);
    bus().raiseEvent(&pad, false);
    bus().raiseEvent(&focus, false);
    bus().raiseEvent(EVT::ET_QUIT, false);
    EXPECT_EQ(log, (Log{"view input 13", "view input 11", "view input 14", "view input 12"}));
}

TEST_F(GameManagerFrame, ViewsSeeAKeyBeforeTheKeyboardTableDoes) {
    Devices::Keyboard keyboard;  // made after the manager, as at start-up
    bool heldWhenSeen = true;
    view.inputHook = [&](EVT::I_Event&) { heldWhenSeen = keyboard.isKeyDown('a'); };
    EVT::Event_Key key('a', true, 0);
    bus().raiseEvent(&key, false);
    EXPECT_FALSE(heldWhenSeen);
    EXPECT_TRUE(keyboard.isKeyDown('a'));
}

TEST_F(GameManagerFrame, ShutdownFromAnUpdateQuitsAfterThatDelivery) {
    TestSupport::EventRecorder quits({EVT::ET_QUIT});
    bool quitSeenInsideUpdate = true;
    logic.onUpdateHook = [&] {
        manager->shutdown();
        quitSeenInsideUpdate = quits.count(EVT::ET_QUIT) != 0;
    };
    EVT::Event_Update update(5.0f);
    bus().raiseEvent(&update, false);
    EXPECT_FALSE(quitSeenInsideUpdate);
    EXPECT_EQ(quits.count(EVT::ET_QUIT), 1u);

    logic.onUpdateHook = nullptr;
    manager->shutdown();
    EXPECT_EQ(quits.count(EVT::ET_QUIT), 2u) << "outside a delivery the quit is immediate";
}

TEST_F(GameManagerFrame, AListenerMayRemoveItselfOrAnotherWhileNotified) {
    LoggingListener first(log, "A");
    LoggingListener second(log, "B");
    LoggingListener third(log, "C");
    first.hook = [&] {
        manager->removeGameUpdated(&first);
        manager->removeGameUpdated(&second);
    };
    manager->addGameUpdated(&first);
    manager->addGameUpdated(&second);
    manager->addGameUpdated(&third);
    log.clear();
    EVT::Event_Update update(1.0f);
    bus().raiseEvent(&update, false);
    bus().raiseEvent(&update, false);
    EXPECT_EQ(log,
              (Log{"A 1", "C 1", "logic 1", "view update 1", "C 1", "logic 1", "view update 1"}));
}

TEST(GameManager, ZeroBaseSizeBecomes800By600AndScaleFollowsTheScreen) {
    Game::GameManager manager(0, 0, 60, 5);
    EXPECT_EQ(manager.getBaseWidth(), 800);
    EXPECT_EQ(manager.getBaseHeight(), 600);
    raiseScreen(1600, 1200);
    float x = 0.0f;
    float y = 0.0f;
    manager.getScreenScale(x, y);
    EXPECT_FLOAT_EQ(x, 2.0f);
    EXPECT_FLOAT_EQ(y, 2.0f);
    int width = 0;
    int height = 0;
    manager.getScreenSize(width, height);
    EXPECT_EQ(width, 1600);
    EXPECT_EQ(height, 1200);

    Game::GameManager odd(640, 480, 60, 5);
    raiseScreen(1000, 360);
    odd.getScreenScale(x, y);
    EXPECT_FLOAT_EQ(x, 1000.0f / 640.0f);
    EXPECT_FLOAT_EQ(y, 0.75f);
}

TEST(GameManager, ScreenWatchersAreToldAtOnceAndOnEverySizeEvent) {
    Log log;
    Game::GameManager manager(0, 0, 60, 5);
    LoggingWatcher first(log);
    LoggingWatcher second(log);
    manager.addScreenWatcher(&first);
    manager.addScreenWatcher(&first);
    EXPECT_EQ(log, (Log{"watcher 0x0"}));
    raiseScreen(320, 200);
    manager.addScreenWatcher(&second);
    EXPECT_EQ(log, (Log{"watcher 0x0", "watcher 320x200", "watcher 320x200"}));
    log.clear();
    manager.removeScreenWatcher(&first);
    manager.removeScreenWatcher(&first);
    raiseScreen(640, 400);
    EXPECT_EQ(log, (Log{"watcher 640x400"}));
}

TEST(GameManager, TimeComesFromTheWindow) {
    Log log;
    LoggingWindow window(log);
    Game::GameManager manager(0, 0, 60, 5);
    manager.setWindowApp(&window);
    EXPECT_EQ(manager.getTime(), 12.5);
    manager.resetTime();
    EXPECT_EQ(log, (Log{"reset time"}));
}

TEST(GameManagerDeathTest, AWindowThatCannotStartIsFatal) {
    Log log;
    LoggingWindow window(log);
    window.initSucceeds = false;
    Game::GameManager manager(0, 0, 60, 5);
    manager.setWindowApp(&window);
    EXPECT_DEATH(manager.run(),
                 "Func:void Game::GameManager::run\\(\\)(.|\n)*ABORT: Failed to init window");
}

}  // namespace
