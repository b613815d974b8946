// Cost of one engine frame - the window application's frame loop raising focus,
// joystick, pre-update, update and render events, the game manager advancing timers
// and logic, clearing and presenting - against a bare GLFW frame (clear, swap, poll)
// on a window of the same size. Both run a fixed number of frames, since the engine's
// frame loop runs once per process. Needs a display: run it through scripts/with-xvfb.sh.
#include "Render/OGL/GL.h"
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include "EVT/Event.h"
#include "EVT/EventBus.h"
#include "EVT/I_EventConsumer.h"
#include "Game/GLFWApp.h"
#include "Game/GameManager.h"
#include "Game/I_LogicController.h"
#include "bench/support/RatioReporter.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFrames = 3000;
constexpr unsigned long kClearColour = 0x102030ffu;

void BM_BareGlfwFrame(benchmark::State& state) {
    if (glfwInit() != GLFW_TRUE) {
        state.SkipWithError("no window system");
        return;
    }
    GLFWwindow* window = glfwCreateWindow(kWidth, kHeight, "Quorlith bare frame", nullptr, nullptr);
    if (!window) {
        glfwTerminate();
        state.SkipWithError("no window");
        return;
    }
    glfwMakeContextCurrent(window);
    glfwSwapInterval(0);
    for (auto _ : state) {
        glClearColor(0.0625f, 0.125f, 0.1875f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glfwSwapBuffers(window);
        glfwPollEvents();
    }
    glfwDestroyWindow(window);
    glfwTerminate();
}
BENCHMARK(BM_BareGlfwFrame)->Iterations(kFrames)->UseRealTime();

// A logic controller that does nothing.
class IdleLogic : public Game::I_LogicController {
public:
    void setPause(bool) override {}
    void onUpdate(float) override {}
};

// Counts the benchmark's iterations off, one per drawn frame, and ends the loop after
// the last one.
class FrameCounter : public EVT::I_EventConsumer {
public:
    explicit FrameCounter(benchmark::State& state) : state(state) {
        Util::Singleton<EVT::EventBus>::instance().addConsumer(EVT::ET_RENDER, this);
    }
    void handleEvent(EVT::I_Event*) override {
        if (!state.KeepRunning()) {
            Util::Singleton<EVT::EventBus>::instance().raiseEvent(EVT::ET_QUIT, false);
        }
    }
    benchmark::State& state;
};

void BM_EngineFrame(benchmark::State& state) {
    Game::GameManager manager(kWidth, kHeight, 0, 0);
    Game::GLFWApp app("Quorlith engine frame", kWidth, kHeight, false, kClearColour, true, 1.0f);
    glfwSwapInterval(0);
    IdleLogic logic;
    manager.setWindowApp(&app);
    manager.setLogicController(&logic);
    FrameCounter counter(state);
    // The render controller's set-up is not part of a frame; run the loop directly.
    app.initWindowApp();
    app.run();
}
BENCHMARK(BM_EngineFrame)->Iterations(kFrames)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    Bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // Real time includes the software rasteriser's own threads; the main thread's CPU
    // time shows the engine's own work and varies less on a shared machine.
    const char* const measured = "BM_EngineFrame/iterations:3000/real_time";
    const char* const baseline = "BM_BareGlfwFrame/iterations:3000/real_time";
    reporter.printRatio("(real time) engine frame vs bare GLFW frame",
                        Bench::RatioReporter::kRealTime, measured, baseline);
    reporter.printRatio("(cpu time) engine frame vs bare GLFW frame",
                        Bench::RatioReporter::kCpuTime, measured, baseline);
    benchmark::Shutdown();
    return 0;
}
