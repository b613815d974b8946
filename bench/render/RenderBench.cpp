// Cost of one frame that clears, draws 5 000 quads from one vertex array and presents,
// against an empty frame (clear and present) on the same hidden 640 x 480 window and
// context. The quads come from a client-memory array (the fall-back every driver
// has) and, for comparison, from a vertex buffer object. Wall-clock time, since the
// software rasteriser works in threads of its own; the ratios are printed at the end.
// Needs a display: run it through scripts/with-xvfb.sh.
#include "Render/OGL/GL.h"
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "Render/OGL/Controller.h"
#include "Render/OGL/SwapInterval.h"
#include "Render/OGL/VertexBufferObject.h"
#include "bench/support/RatioReporter.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kQuads = 5000;
constexpr int kCornersPerQuad = 4;
constexpr int kQuadSide = 6;
constexpr int kQuadsPerRow = 100;
constexpr int kRowStep = 9;
constexpr int kBytesPerCorner = 3 * static_cast<int>(sizeof(float));

GLFWwindow* l_window = nullptr;
std::unique_ptr<Render::OGL::Controller> l_controller;

Render::ViewData screenView() {
    Render::ViewData view;
    view.maxZ = 1.0f;
    view.x = 0;
    view.y = 0;
    view.width = kWidth;
    view.height = kHeight;
    view.scaleX = 1.0f;
    view.scaleY = 1.0f;
    view.vsync = 0;
    return view;
}

// 5 000 small quads in rows over the window, counter-clockwise corners.
std::vector<float> quadCorners() {
    std::vector<float> corners;
    corners.reserve(static_cast<size_t>(kQuads) * kCornersPerQuad * 3);
    for (int i = 0; i < kQuads; ++i) {
        float x = static_cast<float>((i % kQuadsPerRow) * kQuadSide);
        float y = static_cast<float>((i / kQuadsPerRow) * kRowStep);
        const float quad[] = {
            x, y, 0, x + kQuadSide, y, 0, x + kQuadSide, y + kQuadSide, 0, x, y + kQuadSide, 0};
        corners.insert(corners.end(), quad, quad + 12);
    }
    return corners;
}

std::unique_ptr<Render::I_VertexArray> makeQuadArray(bool bufferObject) {
    l_controller->setAbility(Render::ABILITY_HAVE_VBOS, bufferObject ? 1 : 0);
    std::vector<float> corners = quadCorners();
    const int cornerCount = kQuads * kCornersPerQuad;
    std::unique_ptr<Render::I_VertexArray> array(
        l_controller->createVertexArray(cornerCount * kBytesPerCorner, true));
    array->defineVertexInfo(3, Render::I_VertexArray::DT_FLOAT);
    array->beginUsing();
    array->putVertices(corners.data(), cornerCount, 0);
    array->endUsing();
    return array;
}

void clearFrame() {
    l_controller->doClear(Util::RGBA{0, 0, 0, 255});
}

void present() {
    glfwSwapBuffers(l_window);
    glFinish();
}

void BM_EmptyFrame(benchmark::State& state) {
    for (auto _ : state) {
        clearFrame();
        present();
    }
}
BENCHMARK(BM_EmptyFrame)->UseRealTime();

void drawFrames(benchmark::State& state, bool bufferObject) {
    std::unique_ptr<Render::I_VertexArray> array = makeQuadArray(bufferObject);
    l_controller->setColor(Util::RGBA{255, 255, 255, 255});
    for (auto _ : state) {
        clearFrame();
        array->beginUsing();
        l_controller->drawArrays(Render::RT_QUADS, 0, kQuads * kCornersPerQuad);
        array->endUsing();
        present();
    }
}

void BM_FrameOf5000QuadsFromClientArray(benchmark::State& state) {
    drawFrames(state, false);
}
BENCHMARK(BM_FrameOf5000QuadsFromClientArray)->UseRealTime();

void BM_FrameOf5000QuadsFromBufferObject(benchmark::State& state) {
    drawFrames(state, true);
}
BENCHMARK(BM_FrameOf5000QuadsFromBufferObject)->UseRealTime();

bool openWindow() {
    if (glfwInit() != GLFW_TRUE) {
        return false;
    }
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_DEPTH_BITS, 24);
    l_window = glfwCreateWindow(kWidth, kHeight, "Quorlith render bench", nullptr, nullptr);
    if (!l_window) {
        glfwTerminate();
        return false;
    }
    glfwMakeContextCurrent(l_window);
    // The controller's vertical sync (off here) reaches this window.
    Render::OGL::installSwapInterval(glfwSwapInterval);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    if (!openWindow()) {
        std::fprintf(stderr, "bench_render: no OpenGL window (is a display available?)\n");
        return 1;
    }
    l_controller.reset(new Render::OGL::Controller(screenView()));
    l_controller->init();
    l_controller->setViewData(screenView());

    Bench::RatioReporter reporter(Bench::RatioReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto real = Bench::RatioReporter::kRealTime;
    reporter.printRatio("5 000 quads (client array) vs empty frame", real,
                        "BM_FrameOf5000QuadsFromClientArray/real_time", "BM_EmptyFrame/real_time");
    reporter.printRatio("5 000 quads (buffer object) vs empty frame", real,
                        "BM_FrameOf5000QuadsFromBufferObject/real_time", "BM_EmptyFrame/real_time");
    benchmark::Shutdown();

    l_controller.reset();
    glfwDestroyWindow(l_window);
    glfwTerminate();
    return 0;
}
