// The whole game, assembled by the start-up template exactly as the quorlith binary does
// it, playing a script of key presses for a fixed number of frames (600, or
// QUORLITH_BENCH_FRAMES): its mean frame time against an empty frame (clear and present)
// on the game's own context, and the time from start to its first presented frame
// against a bare GLFW window. The game runs once per process (its window system and
// singletons are process-wide), so the benchmark runs one iteration and reports the
// numbers as counters. Needs a display: run it through scripts/with-xvfb.sh.
#include "Render/OGL/GL.h"
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "Devices/KeyCodes.h"
#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "EVT/I_EventConsumer.h"
#include "game/GameDefinition.h"

#define GAME_MAIN_NO_ENTRY
#include "Game/GAME_MAIN"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultFrames = 600;
constexpr int kEmptyFrames = 600;
constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kStartEvery = 90;  // SPACE pressed again (the title after a death)
constexpr int kTurnEvery = 45;   // LEFT and RIGHT held in turns

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int framesToPlay() {
    const char* value = std::getenv("QUORLITH_BENCH_FRAMES");
    const int frames = value ? std::atoi(value) : kDefaultFrames;
    return frames > 0 ? frames : kDefaultFrames;
}

// Presses keys through the event bus as the window would, times the frames and ends
// the game after the last one. Subscribed before the game is built, so it sees each
// frame's events before the game manager.
class Script : public EVT::I_EventConsumer {
public:
    Script(int frameCount, Clock::time_point startTime) : frames(frameCount), start(startTime) {
        EVT::EventBus::instance().addConsumer(EVT::ET_PRE_UPDATE, this);
        EVT::EventBus::instance().addConsumer(EVT::ET_UPDATE, this);
    }

    void handleEvent(EVT::I_Event* event) override {
        if (event->type == EVT::ET_PRE_UPDATE) {
            onFrameStart();
        } else if (event->type == EVT::ET_UPDATE) {
            play();
        }
    }

    int frames;
    Clock::time_point start;
    int frame = 0;
    double startupMs = 0;
    double playMs = 0;
    double emptyFrameMs = 0;

private:
    void onFrameStart() {
        ++frame;
        if (frame == 2) {
            startupMs = msSince(start);  // the first frame has been presented
            playStart = Clock::now();
        }
    }

    void key(unsigned char code, bool pressed) {
        EVT::Event_Key event(code, pressed, 0);
        EVT::EventBus::instance().raiseEvent(&event, false);
    }

    void play() {
        if (frame < 2) {
            return;
        }
        const int step = frame - 2;
        if (step % kStartEvery == 0) {
            key(Devices::KEY_SPACE, true);
        } else if (step % kStartEvery == 2) {
            key(Devices::KEY_SPACE, false);
        }
        if (step % kTurnEvery == 0) {
            const bool left = (step / kTurnEvery) % 2 == 0;
            key(left ? Devices::KEY_RIGHT : Devices::KEY_LEFT, false);
            key(left ? Devices::KEY_LEFT : Devices::KEY_RIGHT, true);
        }
        if (step == frames) {
            playMs = msSince(playStart);
            measureEmptyFrames();
            EVT::EventBus::instance().raiseEvent(EVT::ET_QUIT, false);
        }
    }

    // Clear and present on the game's own context.
    void measureEmptyFrames() {
        GLFWwindow* window = glfwGetCurrentContext();
        const auto begin = Clock::now();
        for (int i = 0; i < kEmptyFrames; ++i) {
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glfwSwapBuffers(window);
        }
        emptyFrameMs = msSince(begin) / kEmptyFrames;
    }

    Clock::time_point playStart;
};

// Start-up of a bare GLFW window to its first presented frame, in ms; negative when no
// window can be opened.
double bareWindowStartupMs() {
    const auto start = Clock::now();
    if (glfwInit() != GLFW_TRUE) {
        return -1;
    }
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    GLFWwindow* window =
        glfwCreateWindow(kWidth, kHeight, "Quorlith bare window", nullptr, nullptr);
    if (!window) {
        glfwTerminate();
        return -1;
    }
    glfwMakeContextCurrent(window);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwSwapBuffers(window);
    glfwPollEvents();
    const double ms = msSince(start);
    glfwDestroyWindow(window);
    glfwTerminate();
    return ms;
}

void BM_GameAgainstBaselines(benchmark::State& state) {
    if (chdir(QUORLITH_DATA_DIR) != 0) {
        state.SkipWithError("cannot enter the data folder");
        return;
    }
    for (auto _ : state) {
        // The first window of a process also loads the driver; open one untimed so that
        // the bare window and the game both start warm.
        bareWindowStartupMs();
        const double bareMs = bareWindowStartupMs();
        if (bareMs < 0) {
            state.SkipWithError("no window system (run through scripts/with-xvfb.sh)");
            return;
        }
        // Every frame drawn (no frame skipping) and no wait for the display's refresh.
        std::vector<std::string> args = {"bench_game_frame", "VSYNC_ON==NO", "FRAME_SKIP==0",
                                         "GAME_SEED==7"};
        std::vector<char*> argv;
        for (auto& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);

        Script script(framesToPlay(), Clock::now());
        GameMain::run(static_cast<int>(args.size()), argv.data());

        const double frameMs = script.playMs / script.frames;
        state.SetIterationTime(frameMs / 1000.0);
        state.counters["frames"] = script.frames;
        state.counters["game_frame_ms"] = frameMs;
        state.counters["empty_frame_ms"] = script.emptyFrameMs;
        state.counters["frame_ratio"] = frameMs / script.emptyFrameMs;
        state.counters["game_startup_ms"] = script.startupMs;
        state.counters["bare_startup_ms"] = bareMs;
        state.counters["startup_ratio"] = script.startupMs / bareMs;
    }
}

BENCHMARK(BM_GameAgainstBaselines)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
