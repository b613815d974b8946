// The GL header must come before any GLFW header.
#include "Render/OGL/GL.h"
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "Game/EventRecorder.h"
#include "Game/GLFWApp.h"
#include "support/GLTest.h"
#include "support/TempDir.h"

namespace {

using TestSupport::EventRecorder;

EVT::EventBus& bus() {
    return Util::Singleton<EVT::EventBus>::instance();
}

constexpr const char* kTitle = "Quorlith input test";
constexpr auto kInputTimeout = std::chrono::seconds(10);

// The real window driven by xdotool on the test's display, as a user would.
class WindowInput : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TestSupport::canSendWindowInput()) {
            if (TestSupport::glRequired()) {
                FAIL() << "no display or no xdotool";
            }
            GTEST_SKIP() << "no display or no xdotool";
        }
        app = std::make_unique<Game::GLFWApp>(kTitle, 200, 150, false, 0x000000ffu, true, 1.0f);
        ASSERT_TRUE(app->initWindowApp());
        std::string output;
        ASSERT_EQ(
            TestSupport::runCommand(
                std::string("xdotool search --sync --onlyvisible --name '") + kTitle + "'", output),
            0);
        windowId = output.substr(0, output.find('\n'));
        ASSERT_FALSE(windowId.empty());
    }

    void xdotool(const std::string& arguments) {
        std::string output;
        ASSERT_EQ(TestSupport::runCommand("xdotool " + arguments, output), 0) << arguments;
    }

    // Runs frames, presenting each (which delivers the window input), until done()
    // holds or the time runs out.
    void runUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + kInputTimeout;
        EventRecorder frames({EVT::ET_RENDER});
        frames.onEvent = [&](EVT::I_Event&) {
            app->showWindow();
            if (done() || std::chrono::steady_clock::now() > deadline) {
                bus().raiseEvent(EVT::ET_QUIT, false);
            }
        };
        app->run();
    }

    std::unique_ptr<Game::GLFWApp> app;
    std::string windowId;
};

struct Key {
    int code;
    bool pressed;
    int modifiers;
    bool operator==(const Key& other) const {
        return code == other.code && pressed == other.pressed && modifiers == other.modifiers;
    }
};

std::ostream& operator<<(std::ostream& out, const Key& key) {
    return out << "(" << key.code << (key.pressed ? " down" : " up") << " mods " << key.modifiers
               << ")";
}

TEST_F(WindowInput, KeyPressesArriveAsKeyEventsWithCodesAndModifierBits) {
    EventRecorder keys({EVT::ET_KEY});
    xdotool("key a shift+b");
    // Shift let go before the key: the release still carries the bits of the press.
    xdotool("keydown shift keydown c keyup shift keyup c");
    xdotool("key ctrl+alt+Left Escape Return Prior KP_Add F1 Tab shift");
    xdotool("key x");
    const std::vector<Key> expected{
        {'a', true, 0},  {'a', false, 0}, {'b', true, 1},  {'b', false, 1}, {'c', true, 1},
        {'c', false, 1}, {4, true, 6},    {4, false, 6},   {27, true, 0},   {27, false, 0},
        {13, true, 0},   {13, false, 0},  {13, true, 0},   {13, false, 0},  {141, true, 0},
        {141, false, 0}, {'x', true, 0},  {'x', false, 0},
    };
    runUntil([&] { return keys.count(EVT::ET_KEY) >= expected.size(); });

    std::vector<Key> received;
    for (const auto& key : keys.all<EVT::Event_Key>(EVT::ET_KEY)) {
        received.push_back({key.key, key.pressed, key.modifiers});
    }
    EXPECT_EQ(received, expected);
}

TEST_F(WindowInput, HoldingAKeyGivesOnePressAndOneRelease) {
    EventRecorder keys({EVT::ET_KEY});
    // Longer than the X server's auto-repeat delay.
    xdotool("keydown z sleep 1.2 keyup z key y");
    runUntil([&] { return keys.count(EVT::ET_KEY) >= 4; });
    std::vector<Key> received;
    for (const auto& key : keys.all<EVT::Event_Key>(EVT::ET_KEY)) {
        received.push_back({key.key, key.pressed, key.modifiers});
    }
    const std::vector<Key> expected{
        {'z', true, 0}, {'z', false, 0}, {'y', true, 0}, {'y', false, 0}};
    EXPECT_EQ(received, expected);
}

TEST_F(WindowInput, ResizingTheWindowAnnouncesTheNewSize) {
    EventRecorder screens({EVT::ET_SCREEN});
    xdotool("windowsize " + windowId + " 300 170");
    runUntil([&] { return screens.count(EVT::ET_SCREEN) >= 1; });
    const auto sizes = screens.all<EVT::Event_Screen>(EVT::ET_SCREEN);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(sizes[0].width, 300);
    EXPECT_EQ(sizes[0].height, 170);
}

TEST_F(WindowInput, MouseMotionButtonsAndWheelArriveAsMouseEvents) {
    EventRecorder mouse({EVT::ET_MOUSE});
    xdotool("mousemove --window " + windowId + " 20 30");
    xdotool("click 1");
    xdotool("click 3");
    xdotool("click --repeat 3 4");
    xdotool("click 5");
    // Left down/up, right down/up, three wheel steps up, one down; the pointer may also
    // report motion on its way into the window.
    const auto clicksAndWheel = [&mouse] {
        size_t count = 0;
        for (const auto& event : mouse.all<EVT::Event_Mouse>(EVT::ET_MOUSE)) {
            count += event.buttons != 0 || event.wheel != 0 ? 1 : 0;
        }
        return count;
    };
    runUntil([&] { return clicksAndWheel() >= 8; });

    const auto events = mouse.all<EVT::Event_Mouse>(EVT::ET_MOUSE);
    ASSERT_FALSE(events.empty());
    ASSERT_EQ(events[0].buttons, 0);
    const auto firstClick = std::find_if(events.begin(), events.end(),
                                         [](const auto& event) { return event.buttons != 0; });
    ASSERT_NE(firstClick, events.begin());
    const auto& lastMotion = *(firstClick - 1);
    EXPECT_EQ(lastMotion.x, 20);
    EXPECT_EQ(lastMotion.y, 30);
    EXPECT_EQ(lastMotion.wheel, 0);

    std::vector<std::pair<int, bool>> buttons;
    int wheelTotal = 0;
    int wheelEvents = 0;
    for (const auto& event : events) {
        if (event.buttons != 0) {
            buttons.emplace_back(event.buttons, event.pressed);
            EXPECT_EQ(event.x, 20);
            EXPECT_EQ(event.y, 30);
        }
        if (event.wheel != 0) {
            ++wheelEvents;
            wheelTotal += event.wheel;
            EXPECT_EQ(event.buttons, 0);
        }
    }
    const std::vector<std::pair<int, bool>> expectedButtons{
        {1, true}, {1, false}, {2, true}, {2, false}};
    EXPECT_EQ(buttons, expectedButtons);
    EXPECT_EQ(wheelEvents, 4);
    EXPECT_EQ(wheelTotal, 2);
}

TEST_F(WindowInput, FocusChangesAreAnnouncedBeforeTheFrameAndSilenceTheMouse) {
    GLFWwindow* gameWindow = glfwGetCurrentContext();
    ASSERT_EQ(glfwGetWindowAttrib(gameWindow, GLFW_FOCUSED), GLFW_TRUE);
    GLFWwindow* other = glfwCreateWindow(32, 32, "other", nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    glfwFocusWindow(gameWindow);

    int updates = 0;
    size_t mouseEventsWhileAway = 0;
    EventRecorder frames({EVT::ET_ENTER_LEAVE, EVT::ET_PRE_UPDATE, EVT::ET_RENDER, EVT::ET_MOUSE});
    frames.onEvent = [&](EVT::I_Event& event) {
        if (event.type != EVT::ET_PRE_UPDATE) {
            return;
        }
        ++updates;
        if (updates == 1) {
            glfwFocusWindow(other);
        } else if (updates == 2) {
            const size_t before = frames.events.size();
            Game::MouseMotionFunc(5, 6);
            Game::MouseButtonFunc(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS);
            mouseEventsWhileAway = frames.events.size() - before;
            glfwFocusWindow(gameWindow);
        } else if (updates == 3) {
            Game::MouseMotionFunc(7, 8);
            bus().raiseEvent(EVT::ET_QUIT, false);
        }
    };
    app->run();
    glfwDestroyWindow(other);

    const std::vector<int> expected{7, 8, 12, 7, 8, 12, 7, 11, 8};
    EXPECT_EQ(frames.types(), expected);
    EXPECT_EQ(mouseEventsWhileAway, 0u);
    const auto focus = frames.all<EVT::Event_EnterLeave>(EVT::ET_ENTER_LEAVE);
    ASSERT_EQ(focus.size(), 2u);
    EXPECT_FALSE(focus[0].entered);
    EXPECT_TRUE(focus[1].entered);
    const auto mouse = frames.all<EVT::Event_Mouse>(EVT::ET_MOUSE);
    ASSERT_EQ(mouse.size(), 1u);
    EXPECT_EQ(mouse[0].x, 7);
    EXPECT_EQ(mouse[0].y, 8);
}

TEST_F(WindowInput, SetMouseMovesThePointerAndShowsOrHidesTheCursor) {
    GLFWwindow* window = glfwGetCurrentContext();
    // The pointer may have been inside the window when it opened: let that report pass.
    for (int frame = 0; frame < 3; ++frame) {
        app->showWindow();
    }
    EventRecorder mouse({EVT::ET_MOUSE});

    EVT::Event_SetMouse hide(30, 40, EVT::Event_SetMouse::kHideCursor);
    bus().raiseEvent(&hide, false);
    double x = 0.0;
    double y = 0.0;
    glfwGetCursorPos(window, &x, &y);
    EXPECT_EQ(static_cast<int>(x), 30);
    EXPECT_EQ(static_cast<int>(y), 40);
    EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_HIDDEN);

    EVT::Event_SetMouse show(EVT::Event_SetMouse::kNotGiven, 90, EVT::Event_SetMouse::kShowCursor);
    bus().raiseEvent(&show, false);
    glfwGetCursorPos(window, &x, &y);
    EXPECT_EQ(static_cast<int>(y), 40) << "a position with a missing coordinate is not applied";
    EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_NORMAL);

    EVT::Event_SetMouse move(50, 60, 0);
    bus().raiseEvent(&move, false);
    glfwGetCursorPos(window, &x, &y);
    EXPECT_EQ(static_cast<int>(x), 50);
    EXPECT_EQ(static_cast<int>(y), 60);
    EXPECT_EQ(glfwGetInputMode(window, GLFW_CURSOR), GLFW_CURSOR_NORMAL);
    for (int frame = 0; frame < 5; ++frame) {
        app->showWindow();  // the window system reports the moves while polling
    }
    EXPECT_TRUE(mouse.events.empty()) << "moving the pointer on request raises no motion";

    // A move by the user afterwards is reported.
    xdotool("mousemove --window " + windowId + " 70 80");
    runUntil([&] { return mouse.count(EVT::ET_MOUSE) >= 1; });
    const auto moves = mouse.all<EVT::Event_Mouse>(EVT::ET_MOUSE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].x, 70);
    EXPECT_EQ(moves[0].y, 80);
}

TEST_F(WindowInput, RequestedMovesStaySilentWhileOtherPointerInputIsPending) {
    // Start with the pointer outside the window and everything about it reported.
    xdotool("mousemove 500 400");
    for (int frame = 0; frame < 3; ++frame) {
        app->showWindow();
    }
    EventRecorder mouse({EVT::ET_MOUSE});
    xdotool("mousemove --window " + windowId + " 100 100");  // not yet polled
    EVT::Event_SetMouse first(30, 40, 0);
    bus().raiseEvent(&first, false);
    EVT::Event_SetMouse second(50, 60, EVT::Event_SetMouse::kShowCursor);
    bus().raiseEvent(&second, false);
    for (int frame = 0; frame < 5; ++frame) {
        app->showWindow();
    }
    for (const auto& event : mouse.all<EVT::Event_Mouse>(EVT::ET_MOUSE)) {
        EXPECT_EQ(event.x, 100);
        EXPECT_EQ(event.y, 100);
    }
}

}  // namespace
