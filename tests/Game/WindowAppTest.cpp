// The GL header must come before any GLFW header.
#include "Render/OGL/GL.h"
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "Game/EventRecorder.h"
#include "Game/GLFWApp.h"
#include "support/GLTest.h"

namespace {

using TestSupport::EventRecorder;

EVT::EventBus& bus() {
    return Util::Singleton<EVT::EventBus>::instance();
}

// Tests that open the real game window: skipped without a display, unless the
// environment requires GL, then they fail.
class WindowApp : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display) {
            if (TestSupport::glRequired()) {
                FAIL() << "no display";
            }
            GTEST_SKIP() << "no display";
        }
    }

    std::unique_ptr<Game::GLFWApp> open(int width, int height, float gameSpeed = 1.0f) {
        return std::make_unique<Game::GLFWApp>("Quorlith window test", width, height, false,
                                               0x000000ffu, true, gameSpeed);
    }

    // Raises ET_QUIT from the update of the given frame (counted from 1).
    static void quitInFrame(EventRecorder& recorder, int frame) {
        auto previous = recorder.onEvent;
        auto updates = std::make_shared<int>(0);
        recorder.onEvent = [previous, updates, frame](EVT::I_Event& event) {
            if (previous) {
                previous(event);
            }
            if (event.type == EVT::ET_UPDATE && ++*updates == frame) {
                bus().raiseEvent(EVT::ET_QUIT, false);
            }
        };
    }
};

TEST_F(WindowApp, OpensTheWindowAndAnnouncesItsSizeTwice) {
    EventRecorder screens({EVT::ET_SCREEN});
    auto app = open(320, 240);
    ASSERT_NE(glfwGetCurrentContext(), nullptr);
    int width = 0;
    int height = 0;
    glfwGetWindowSize(glfwGetCurrentContext(), &width, &height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);
    const auto sizes = screens.all<EVT::Event_Screen>(EVT::ET_SCREEN);
    ASSERT_EQ(sizes.size(), 2u);
    for (const auto& size : sizes) {
        EXPECT_EQ(size.width, 320);
        EXPECT_EQ(size.height, 240);
    }
}

TEST_F(WindowApp, ZeroByZeroOpensAtTheDesktopSize) {
    EventRecorder screens({EVT::ET_SCREEN});
    auto app = open(0, 0);
    const GLFWvidmode* desktop = glfwGetVideoMode(glfwGetPrimaryMonitor());
    ASSERT_NE(desktop, nullptr);
    const auto sizes = screens.all<EVT::Event_Screen>(EVT::ET_SCREEN);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back().width, desktop->width);
    EXPECT_EQ(sizes.back().height, desktop->height);
}

TEST_F(WindowApp, FullscreenSizeNotOfferedOpensAtTheDesktopSize) {
    EventRecorder screens({EVT::ET_SCREEN});
    Game::GLFWApp app("Quorlith window test", 1001, 701, true, 0, true, 1.0f);
    const GLFWvidmode* desktop = glfwGetVideoMode(glfwGetPrimaryMonitor());
    ASSERT_NE(desktop, nullptr);
    const auto sizes = screens.all<EVT::Event_Screen>(EVT::ET_SCREEN);
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].width, desktop->width);
    EXPECT_EQ(sizes[0].height, desktop->height);
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(glfwGetCurrentContext(), &width, &height);
    EXPECT_EQ(width, desktop->width);
    EXPECT_EQ(height, desktop->height);
}

TEST_F(WindowApp, AllowedSizesAreDistinctAndAscending) {
    auto app = open(320, 240);
    std::vector<std::pair<int, int>> sizes{{1, 1}};
    app->getAllowedSizes(sizes);
    ASSERT_FALSE(sizes.empty());
    for (size_t i = 1; i < sizes.size(); ++i) {
        EXPECT_LT(sizes[i - 1], sizes[i]);
    }
    const GLFWvidmode* desktop = glfwGetVideoMode(glfwGetPrimaryMonitor());
    EXPECT_NE(
        std::find(sizes.begin(), sizes.end(), std::make_pair(desktop->width, desktop->height)),
        sizes.end());
}

TEST_F(WindowApp, ZeroSidesAreAnnouncedAsOne) {
    auto app = open(320, 240);
    EventRecorder screens({EVT::ET_SCREEN});
    app->setSize({200, 0});
    Game::ReshapeFunc(0, 150);
    const auto sizes = screens.all<EVT::Event_Screen>(EVT::ET_SCREEN);
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].width, 200);
    EXPECT_EQ(sizes[0].height, 1);
    EXPECT_EQ(sizes[1].width, 1);
    EXPECT_EQ(sizes[1].height, 150);
}

TEST_F(WindowApp, ClearWindowUsesTheBytesAsRedGreenBlueAlpha) {
    auto app = open(64, 64);
    app->clearWindow(0xff804020u);
    unsigned char pixel[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 0xff);
    EXPECT_NEAR(pixel[1], 0x80, 1);
    EXPECT_NEAR(pixel[2], 0x40, 1);
    EXPECT_NEAR(pixel[3], 0x20, 1);
    float depth = 0.0f;
    glReadPixels(10, 10, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
}

TEST_F(WindowApp, TheCloseButtonRaisesQuitAndLetsTheWindowClose) {
    auto app = open(64, 64);
    EventRecorder quits({EVT::ET_QUIT});
    EXPECT_EQ(Game::WindowCloseFunc(), 1);
    EXPECT_EQ(quits.types(), std::vector<int>{EVT::ET_QUIT});
}

TEST_F(WindowApp, FrameRaisesPreUpdateUpdateAndRenderUntilQuit) {
    auto app = open(64, 64);
    ASSERT_TRUE(app->initWindowApp());
    EventRecorder frames({EVT::ET_PRE_UPDATE, EVT::ET_UPDATE, EVT::ET_RENDER});
    quitInFrame(frames, 3);
    app->run();
    const std::vector<int> expected{7, 6, 8, 7, 6, 8, 7, 6, 8};
    EXPECT_EQ(frames.types(), expected);
    const auto pre = frames.all<EVT::Event_PreUpdate>(EVT::ET_PRE_UPDATE);
    const auto update = frames.all<EVT::Event_Update>(EVT::ET_UPDATE);
    for (size_t i = 0; i < pre.size(); ++i) {
        EXPECT_EQ(pre[i].elapsed, update[i].elapsed) << "frame " << i + 1;
    }
}

// A host with its own main loop steps the frames itself and sees what run() raises.
TEST_F(WindowApp, FrameStepRaisesTheEventsOfOneIterationOfRun) {
    auto app = open(64, 64);
    ASSERT_TRUE(app->initWindowApp());
    // Focus changes are left out: a window of another test running at the same time may
    // take the focus between the two frames.
    EventRecorder frames({EVT::ET_JOYPAD, EVT::ET_PRE_UPDATE, EVT::ET_UPDATE, EVT::ET_RENDER});
    EXPECT_TRUE(app->frame());
    const std::vector<int> stepped = frames.types();
    EXPECT_EQ(stepped, (std::vector<int>{7, 6, 8}));

    frames.events.clear();
    quitInFrame(frames, 1);
    app->run();
    EXPECT_EQ(frames.types(), stepped);

    // Once the quit is handled a step runs no frame.
    frames.events.clear();
    EXPECT_FALSE(app->frame());
    EXPECT_TRUE(frames.events.empty());
}

TEST_F(WindowApp, QueuedQuitFromUpdateStillRendersThatFrame) {
    auto app = open(64, 64);
    ASSERT_TRUE(app->initWindowApp());
    EventRecorder frames({EVT::ET_UPDATE, EVT::ET_RENDER});
    frames.onEvent = [](EVT::I_Event& event) {
        if (event.type == EVT::ET_UPDATE) {
            bus().raiseEvent(EVT::ET_QUIT, true);
        }
    };
    app->run();
    EXPECT_EQ(frames.types(), (std::vector<int>{6, 8}));
}

TEST_F(WindowApp, QuitBeforeRunEndsAtOnceAndASecondRunToo) {
    auto app = open(64, 64);
    ASSERT_TRUE(app->initWindowApp());
    EventRecorder frames({EVT::ET_UPDATE});
    bus().raiseEvent(EVT::ET_QUIT, false);
    app->run();
    app->run();
    EXPECT_TRUE(frames.events.empty());
}

TEST_F(WindowApp, GameSpeedScalesTheFrameTime) {
    constexpr float kSpeed = 0.5f;
    constexpr double kJump = 2.0;
    auto app = open(64, 64, kSpeed);
    ASSERT_TRUE(app->initWindowApp());
    const double started = glfwGetTime();

    // Frame 1 reports the time since the window system started. Frame 2 moves the clock
    // on by kJump seconds in its render, so frame 3 lasts at least kJump seconds and at
    // most the span from the end of frame 1 to the start of frame 3's handlers.
    double frame1Render = 0.0;
    double frame1Update = 0.0;
    double frame2Update = 0.0;
    double frame3Update = 0.0;
    int updates = 0;
    EventRecorder frames({EVT::ET_UPDATE, EVT::ET_RENDER});
    frames.onEvent = [&](EVT::I_Event& event) {
        if (event.type == EVT::ET_UPDATE) {
            ++updates;
            const double now = glfwGetTime();
            if (updates == 1)
                frame1Update = now;
            if (updates == 2)
                frame2Update = now;
            if (updates == 3) {
                frame3Update = now;
                bus().raiseEvent(EVT::ET_QUIT, false);
            }
        } else if (updates == 1) {
            frame1Render = glfwGetTime();
        } else if (updates == 2) {
            glfwSetTime(frame2Update + kJump);
        }
    };
    app->run();

    const auto update = frames.all<EVT::Event_Update>(EVT::ET_UPDATE);
    ASSERT_EQ(update.size(), 3u);
    EXPECT_GE(update[0].elapsed, static_cast<float>(started * 1000.0 * kSpeed) * 0.999f);
    EXPECT_LE(update[0].elapsed, static_cast<float>(frame1Update * 1000.0 * kSpeed) * 1.001f);
    EXPECT_GE(update[2].elapsed, static_cast<float>(kJump * 1000.0 * kSpeed) * 0.999f);
    EXPECT_LE(update[2].elapsed,
              static_cast<float>((frame3Update - frame1Render) * 1000.0 * kSpeed) * 1.001f);
}

TEST_F(WindowApp, ResetTimeMakesTheNextFrameZero) {
    auto app = open(64, 64);
    ASSERT_TRUE(app->initWindowApp());
    int updates = 0;
    EventRecorder frames({EVT::ET_UPDATE, EVT::ET_RENDER});
    frames.onEvent = [&](EVT::I_Event& event) {
        if (event.type == EVT::ET_UPDATE) {
            if (++updates == 2) {
                app->resetTime();
            } else if (updates == 4) {
                bus().raiseEvent(EVT::ET_QUIT, false);
            }
        } else if (updates == 2) {
            glfwSetTime(glfwGetTime() + 5.0);  // a long frame, forgotten by the reset
        }
    };
    app->run();
    const auto update = frames.all<EVT::Event_Update>(EVT::ET_UPDATE);
    ASSERT_EQ(update.size(), 4u);
    EXPECT_EQ(update[2].elapsed, 0.0f);
    EXPECT_GT(update[3].elapsed, 0.0f);
    EXPECT_LT(update[3].elapsed, 5000.0f);
}

TEST_F(WindowApp, AMissingOpenGLDriverIsReportedThroughTheFatalReport) {
    // Mesa finds no driver in an empty driver folder, so no context can be made.
    EXPECT_DEATH(
        {
            setenv("LIBGL_DRIVERS_PATH", "/nonexistent", 1);
            Game::GLFWApp app("Quorlith window test", 64, 64, false, 0, true, 1.0f);
        },
        "ABORT: Cannot open a 64x64 window with an OpenGL context: .*no usable OpenGL driver");
}

TEST_F(WindowApp, AnUnreachableDisplayIsReportedThroughTheFatalReport) {
    EXPECT_DEATH(
        {
            setenv("DISPLAY", ":9999", 1);
            Game::GLFWApp app("Quorlith window test", 64, 64, false, 0, true, 1.0f);
        },
        "ABORT: Cannot start the window system: .*cannot use display :9999");
}

TEST(WindowAppDeathTest, NoDisplayIsReportedThroughTheFatalReport) {
    EXPECT_DEATH(
        {
            unsetenv("DISPLAY");
            Game::GLFWApp app("Quorlith window test", 64, 64, false, 0, true, 1.0f);
        },
        "ABORT: Cannot start the window system: .*no display is available");
}

}  // namespace
