// The GL header must come before any GLFW header.
#include "Render/OGL/GL.h"
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "Devices/Keyboard.h"
#include "EVT/Event.h"
#include "Game/GLFWApp.h"
#include "Game/GameManager.h"
#include "Game/I_GameUpdated.h"
#include "Game/I_LogicController.h"
#include "Game/I_View.h"
#include "Game/ViewManager.h"
#include "Render/OGL/Controller.h"
#include "support/GLTest.h"
#include "support/LoggingTimer.h"
#include "support/PixelView.h"
#include "support/TempDir.h"

namespace {

using Log = std::vector<std::string>;
using TestSupport::LoggingTimer;

constexpr auto kTimeout = std::chrono::seconds(10);
constexpr unsigned long kClearColour = 0x204060ffu;

// Logs its frame calls; reads the cleared back buffer while drawing.
class ScriptedView : public Game::I_View {
public:
    explicit ScriptedView(Log& log) : log(log) {}
    void setPause(bool) override {}
    void setScreenSize(int width, int height) override {
        log.push_back("size " + std::to_string(width) + "x" + std::to_string(height));
    }
    void preUpdate(float) override { log.push_back("pre"); }
    void onUpdate(float) override { log.push_back("update views"); }
    void onRender() override {
        log.push_back("render");
        glReadBuffer(GL_BACK);
        glReadPixels(5, 5, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    }
    EVT::I_Event* onInput(EVT::I_Event* event) override {
        if (event->type == EVT::ET_KEY) {
            const auto* key = static_cast<EVT::Event_Key*>(event);
            log.push_back("key " + std::to_string(key->key) + (key->pressed ? " down" : " up"));
        }
        return event;
    }
    Game::ViewBox getViewBox() const override { return {}; }

    Log& log;
    unsigned char pixel[4] = {};
};

// Logs each update; ends the game once the keyboard holds space, or on timeout.
class ScriptedLogic : public Game::I_LogicController {
public:
    ScriptedLogic(Log& log, Game::GameManager& manager) : log(log), manager(manager) {}
    void setPause(bool) override {}
    void onUpdate(float) override {
        ++frames;
        log.push_back("logic");
        const bool spaceHeld = keyboard && keyboard->isKeyDown(' ');
        if (spaceHeld || std::chrono::steady_clock::now() > deadline) {
            sawSpace = spaceHeld;
            manager.shutdown();
        }
    }

    Log& log;
    Game::GameManager& manager;
    Devices::Keyboard* keyboard = nullptr;
    int frames = 0;
    bool sawSpace = false;
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::now() + kTimeout;
};

class LoggingListener : public Game::I_GameUpdated {
public:
    explicit LoggingListener(Log& log) : log(log) {}
    void gameUpdated(const float&) override { log.push_back("listener"); }
    Log& log;
};

// The game's pieces assembled as at start-up, with scripted logic and view, driven by
// the real frame loop and real key presses.
TEST(FrameLoop, AFrameRunsInOrderAndInputArrivesInsideTheRender) {
    if (!TestSupport::canSendWindowInput()) {
        if (TestSupport::glRequired()) {
            FAIL() << "no display or no xdotool";
        }
        GTEST_SKIP() << "no display or no xdotool";
    }

    Log log;
    Game::GameManager manager(640, 480, 0, 5);
    Game::GLFWApp app("Quorlith frame test", 320, 240, false, kClearColour, true, 1.0f);
    manager.setWindowApp(&app);
    Render::OGL::Controller renderer(TestSupport::pixelView(320, 240));
    manager.setRenderController(&renderer);
    ScriptedLogic logic(log, manager);
    Devices::Keyboard keyboard;
    logic.keyboard = &keyboard;
    manager.setLogicController(&logic);
    ScriptedView view(log);
    manager.getViewManager()->add(&view);
    LoggingListener listener(log);
    manager.addGameUpdated(&listener);
    LoggingTimer timer(log);
    timer.start(1.0f, 0.0f);

    std::string output;
    ASSERT_EQ(TestSupport::runCommand(
                  "xdotool search --sync --onlyvisible --name 'Quorlith frame test' >/dev/null"
                  " && xdotool keydown space",
                  output),
              0);
    manager.run();
    TestSupport::runCommand("xdotool keyup space", output);

    ASSERT_TRUE(logic.sawSpace) << "the held space never reached the keyboard";
    // The view was added after the window announced its size, so it was told at once.
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "size 320x240");
    // The first frame: the view joins at the update, so it misses only the pre-update.
    const Log firstFrame(log.begin() + 1, log.begin() + 6);
    EXPECT_EQ(firstFrame, (Log{"timer", "listener", "logic", "update views", "render"}));

    // Every later frame has the same shape, and the key arrives after a render (while
    // the frame is presented) and before the next frame starts.
    const Log frame{"pre", "listener", "logic", "update views", "render"};
    size_t i = 6;
    int laterFrames = 0;
    bool keySeen = false;
    while (i < log.size()) {
        if (log[i] == "key 32 down") {
            EXPECT_EQ(log[i - 1], "render");
            keySeen = true;
            ++i;
            continue;
        }
        ASSERT_LE(i + frame.size(), log.size()) << "an incomplete frame at " << i;
        EXPECT_EQ(Log(log.begin() + i, log.begin() + i + frame.size()), frame) << "at " << i;
        i += frame.size();
        ++laterFrames;
    }
    EXPECT_TRUE(keySeen);
    EXPECT_EQ(laterFrames + 1, logic.frames) << "the loop ends after the quitting frame's render";
    EXPECT_EQ(log.back(), "render");

    // The manager cleared with the window's colour before the view drew.
    EXPECT_EQ(view.pixel[0], 0x20);
    EXPECT_EQ(view.pixel[1], 0x40);
    EXPECT_EQ(view.pixel[2], 0x60);
}

}  // namespace
