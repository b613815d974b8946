#include <gtest/gtest.h>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <utility>
#include <vector>

#include "Game/GLFWApp.h"

namespace {

using Size = std::pair<int, int>;

const Size kDesktop{1920, 1080};
const std::vector<Size> kModes{{800, 600}, {1280, 1024}};

TEST(WindowSize, ZeroByZeroOpensAtTheDesktopSize) {
    EXPECT_EQ(Game::chooseWindowSize({0, 0}, false, kModes, kDesktop), kDesktop);
    EXPECT_EQ(Game::chooseWindowSize({0, 0}, true, kModes, kDesktop), kDesktop);
}

TEST(WindowSize, OfferedSizeIsUsedWindowedAndFullscreen) {
    EXPECT_EQ(Game::chooseWindowSize({800, 600}, false, kModes, kDesktop), Size(800, 600));
    EXPECT_EQ(Game::chooseWindowSize({1280, 1024}, true, kModes, kDesktop), Size(1280, 1024));
}

TEST(WindowSize, WindowedRequestIsKeptWhenSomeModeIsWiderAndSomeIsTaller) {
    // Neither mode covers 1000x700 alone; 1280x1024 does both here, so use a list where
    // the width and the height come from different modes.
    const std::vector<Size> split{{1100, 600}, {900, 800}};
    EXPECT_EQ(Game::chooseWindowSize({1000, 700}, false, split, kDesktop), Size(1000, 700));
    EXPECT_EQ(Game::chooseWindowSize({1000, 700}, false, kModes, kDesktop), Size(1000, 700));
}

TEST(WindowSize, FallsBackToTheDesktop) {
    struct Case {
        Size requested;
        bool fullscreen;
        std::vector<Size> modes;
    };
    const Case cases[] = {
        {{2000, 700}, false, kModes},  // no mode is that wide
        {{700, 2000}, false, kModes},  // no mode is that tall
        {{1000, 700}, true, kModes},   // full screen needs an offered mode
        {{1000, 700}, false, {}},      // the display offers nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Game::chooseWindowSize(c.requested, c.fullscreen, c.modes, kDesktop), kDesktop)
            << c.requested.first << "x" << c.requested.second << " fullscreen " << c.fullscreen;
    }
}

TEST(KeyTranslation, SpecialKeysUseTheEngineCodes) {
    const std::pair<int, int> table[] = {
        {GLFW_KEY_LEFT, 4},          {GLFW_KEY_RIGHT, 5},       {GLFW_KEY_UP, 6},
        {GLFW_KEY_DOWN, 7},          {GLFW_KEY_HOME, 8},        {GLFW_KEY_END, 9},
        {GLFW_KEY_INSERT, 10},       {GLFW_KEY_BACKSPACE, 11},  {GLFW_KEY_DELETE, 12},
        {GLFW_KEY_ENTER, 13},        {GLFW_KEY_PAGE_UP, 13},    {GLFW_KEY_PAGE_DOWN, 14},
        {GLFW_KEY_ESCAPE, 27},       {GLFW_KEY_KP_0, 128},      {GLFW_KEY_KP_5, 133},
        {GLFW_KEY_KP_9, 137},        {GLFW_KEY_KP_DIVIDE, 138}, {GLFW_KEY_KP_MULTIPLY, 139},
        {GLFW_KEY_KP_SUBTRACT, 140}, {GLFW_KEY_KP_ADD, 141},    {GLFW_KEY_KP_DECIMAL, 142},
        {GLFW_KEY_KP_EQUAL, 143},    {GLFW_KEY_KP_ENTER, 144},
    };
    for (const auto& [glfwKey, code] : table) {
        EXPECT_EQ(Game::translateKey(glfwKey), code) << "GLFW key " << glfwKey;
    }
}

TEST(KeyTranslation, PrintableKeysArriveInLowerCase) {
    EXPECT_EQ(Game::translateKey(GLFW_KEY_A), 'a');
    EXPECT_EQ(Game::translateKey(GLFW_KEY_Z), 'z');
    EXPECT_EQ(Game::translateKey(GLFW_KEY_SPACE), ' ');
    EXPECT_EQ(Game::translateKey(GLFW_KEY_COMMA), ',');
    EXPECT_EQ(Game::translateKey(GLFW_KEY_7), '7');
    EXPECT_EQ(Game::translateKey(GLFW_KEY_SLASH), '/');
}

TEST(KeyTranslation, KeysOutsideTheTableRaiseNothing) {
    const int silent[] = {GLFW_KEY_F1,         GLFW_KEY_F12,           GLFW_KEY_TAB,
                          GLFW_KEY_LEFT_SHIFT, GLFW_KEY_RIGHT_CONTROL, GLFW_KEY_LEFT_ALT,
                          GLFW_KEY_UNKNOWN,    GLFW_KEY_CAPS_LOCK,     GLFW_KEY_MENU};
    for (int key : silent) {
        EXPECT_EQ(Game::translateKey(key), 0) << "GLFW key " << key;
    }
}

TEST(Joypad, AxesTruncateTowardsZeroAndMissingButtonsAreReleased) {
    const float axes[] = {-0.99f, 1.0f, 1.0f};
    const unsigned char buttons[] = {GLFW_PRESS, GLFW_RELEASE};
    const EVT::Event_Joypad event = Game::makeJoypadEvent(3, axes, 3, buttons, 2);
    EXPECT_EQ(event.type, EVT::ET_JOYPAD);
    EXPECT_EQ(event.joystick, 3);
    EXPECT_EQ(event.x, 0);
    EXPECT_EQ(event.y, 1);
    EXPECT_TRUE(event.buttons[0]);
    EXPECT_FALSE(event.buttons[1]);
    EXPECT_FALSE(event.buttons[2]);
    EXPECT_FALSE(event.buttons[3]);
}

TEST(Joypad, ADriverReportingNothingGivesARestingPad) {
    const EVT::Event_Joypad event = Game::makeJoypadEvent(0, nullptr, 0, nullptr, 0);
    EXPECT_EQ(event.x, 0);
    EXPECT_EQ(event.y, 0);
    for (bool pressed : event.buttons) {
        EXPECT_FALSE(pressed);
    }
    const float oneAxis[] = {-1.0f};
    EXPECT_EQ(Game::makeJoypadEvent(0, oneAxis, 1, nullptr, 0).x, -1);
}

}  // namespace
