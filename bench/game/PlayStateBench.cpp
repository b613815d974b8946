// Cost of one frame of the running state (onUpdate: background copy, ring top-up,
// rasterising and moving the rings, the player and its collision test) with the game's
// own configuration (128 x 96) and with the grid raised to 256 x 256, against a plain
// copy of a grid of the same size, the one block copy every frame starts with.
//
// Besides the time per frame it reports the time per cell written or walked: the
// cells of the background copy plus the cells of every line walk, counted here by
// walking the same polygons as the frame does, never inside the game. Each benchmark
// plays runs of kFramesPerRun frames (no keys held, so the player dies when the first
// ring reaches it and the rings go on moving) and enters the state again after each;
// the count is taken over one such run played beforehand with the same seed.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iostream>
#include <memory>
#include <string>

#include "CFG/Global.h"
#include "Util/NumberConversion.h"
#include "bench/support/RatioReporter.h"
#include "game/HeadlessView.h"
#include "game/MainLogic.h"

namespace {

using Polygon = Tool::PlayField::Polygon;

constexpr int kFramesPerRun = 600;
constexpr float kFrameMs = 16.6667f;
constexpr int kLargeGrid = 256;
constexpr float kPi = 3.14159265358979323846f;

// Loads the game's configuration once, with a fixed seed.
void loadConfiguration() {
    static const bool loaded = [] {
        CFG::setConfig(std::string(QUORLITH_DATA_DIR) + "/quorlith.cfg");
        CFG::getDefaultOverrides()->add("GAME_SEED", "12345");
        return true;
    }();
    (void)loaded;
}

void setGrid(int width, int height) {
    CFG::getDefaultOverrides()->add("GRID_WIDTH", std::to_string(width));
    CFG::getDefaultOverrides()->add("GRID_HEIGHT", std::to_string(height));
}

// ---- Counting the cells a frame walks, by walking the same lines -----------------------

struct CellCounter {
    int width;
    int height;

    static int cell(float cells) { return static_cast<int>(std::rint(cells)); }

    // Cells the line walk visits: none for a rejected line, else one per step plus one.
    long line(int x0, int y0, int x1, int y1) const {
        const long long a = static_cast<long long>(y1) - y0;
        const long long b = static_cast<long long>(x0) - x1;
        const long long c = static_cast<long long>(y0) * x1 - static_cast<long long>(x0) * y1;
        const long long corners[4][2] = {
            {0, 0}, {0, height - 1}, {width - 1, 0}, {width - 1, height - 1}};
        int nonNegative = 0;
        for (const auto& corner : corners) {
            nonNegative += a * corner[0] + b * corner[1] + c >= 0 ? 1 : 0;
        }
        if (nonNegative == 0 || nonNegative == 4) {
            return 0;
        }
        return std::max(std::labs(x1 - x0), std::labs(y1 - y0)) + 1;
    }

    long polygon(const Polygon& p) const {
        if (p.numSides <= 0) {
            return 0;
        }
        const float step = 2.0f * kPi / static_cast<float>(p.numSides);
        float angle = p.rotation * (kPi / 180.0f);
        int x0 = cell(static_cast<float>(width) * (p.centerX + p.radius * std::sin(angle)));
        int y0 = cell(static_cast<float>(height) * (p.centerY + p.radius * std::cos(angle)));
        long total = 0;
        for (int side = 0; side < p.numSides; ++side) {
            angle += step;
            const int x1 =
                cell(static_cast<float>(width) * (p.centerX + p.radius * std::sin(angle)));
            const int y1 =
                cell(static_cast<float>(height) * (p.centerY + p.radius * std::cos(angle)));
            if (side != p.gapSide) {
                total += line(x0, y0, x1, y1);
            }
            x0 = x1;
            y0 = y1;
        }
        return total;
    }

    // The player's outlines, from the state's position after the frame (no key is held,
    // so it does not move).
    long player(const Tool::MainLogic& logic) const {
        const float distance =
            logic.getPlayerHeight() + CFG::parser()->getNumber<float>("PLAYER_BASE_HEIGHT");
        const float theta = logic.getPlayerRotation() * (kPi / 180.0f);
        Polygon p{CFG::parser()->getNumber<int>("PLAYER_POLY_NUM_SIDES"),
                  0.5f + distance * std::cos(theta),
                  0.5f - distance * std::sin(theta),
                  CFG::parser()->getNumber<float>("PLAYER_POLY_RADIUS"),
                  logic.getPlayerRotation() + 90.0f,
                  -1,
                  0.0f};
        const float stepSize = Util::strToNum<float>(CFG::get("PLAYER_POLY_RADIUS_STEP"));
        long total = 0;
        while (p.radius > 0.0f) {
            total += polygon(p);
            if (!(stepSize > 0.0f) || !(p.radius - stepSize < p.radius)) {
                break;
            }
            p.radius -= stepSize;
        }
        return total;
    }
};

struct FrameCells {
    double total;   // background copy and walks
    double walked;  // walks only
};

// Plays one run and counts its cells: the rings a frame draws are those left by the
// previous frame, at those positions, plus the rings it adds (taken where they stand
// after the frame, a shrink step further in: close enough for a count).
FrameCells cellsPerFrame(int width, int height) {
    setGrid(width, height);
    Tool::MainLogic logic(nullptr, &Tool::createHeadlessView);
    logic.onEnter("", "");
    logic.onUpdate(kFrameMs);
    logic.onEnter("TITLE", "*");
    const CellCounter counter{logic.getGridWidth(), logic.getGridHeight()};
    const long copy = static_cast<long>(logic.getCellCount());
    const std::size_t wanted =
        static_cast<std::size_t>(CFG::parser()->getNumber<int>("BASE_NUM_POLYGONS"));
    double total = 0.0;
    double walked = 0.0;
    std::deque<Polygon> before;
    for (int frame = 0; frame < kFramesPerRun; ++frame) {
        logic.onUpdate(kFrameMs);
        const std::deque<Polygon>& after = logic.getPolygons();
        long cells = copy + counter.player(logic);
        for (const Polygon& ring : before) {
            cells += counter.polygon(ring);
        }
        const std::size_t added = wanted > before.size() ? wanted - before.size() : 0;
        for (std::size_t i = after.size() - std::min(added, after.size()); i < after.size(); ++i) {
            cells += counter.polygon(after[i]);
        }
        total += static_cast<double>(cells);
        walked += static_cast<double>(cells - copy);
        before = after;
    }
    return FrameCells{total / kFramesPerRun, walked / kFramesPerRun};
}

// ---- The benchmarks -------------------------------------------------------------------

void playFrames(benchmark::State& state, int width, int height) {
    loadConfiguration();
    const FrameCells cells = cellsPerFrame(width, height);
    setGrid(width, height);
    Tool::MainLogic logic(nullptr, &Tool::createHeadlessView);
    logic.onEnter("", "");
    logic.onUpdate(kFrameMs);
    int frame = 0;
    for (auto _ : state) {
        if (frame++ % kFramesPerRun == 0) {
            logic.onEnter("TITLE", "*");
        }
        benchmark::DoNotOptimize(logic.onUpdate(kFrameMs));
    }
    state.counters["cells/frame"] = cells.total;
    state.counters["walked/frame"] = cells.walked;
    state.counters["per_cell"] =
        benchmark::Counter(cells.total * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void copyGrid(benchmark::State& state, int width, int height) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    // Allocated as the play field allocates its two arrays (vectors of this size placed
    // next to each other can alias in the cache and copy many times slower).
    std::unique_ptr<unsigned char[]> grid(new unsigned char[count]());
    std::unique_ptr<unsigned char[]> background(new unsigned char[count]());
    background[count / 2] = '1';
    for (auto _ : state) {
        std::memcpy(grid.get(), background.get(), count);
        benchmark::DoNotOptimize(grid.get());
        benchmark::ClobberMemory();
    }
    state.counters["per_cell"] =
        benchmark::Counter(static_cast<double>(count) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The configuration reads every frame makes (ring count, player radius, sides and step),
// to show how much of a frame they take.
void BM_FrameConfigReads(benchmark::State& state) {
    loadConfiguration();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CFG::parser()->getNumber<int>("BASE_NUM_POLYGONS"));
        benchmark::DoNotOptimize(CFG::parser()->getNumber<float>("PLAYER_POLY_RADIUS"));
        benchmark::DoNotOptimize(CFG::parser()->getNumber<int>("PLAYER_POLY_NUM_SIDES"));
        benchmark::DoNotOptimize(Util::strToNum<float>(CFG::get("PLAYER_POLY_RADIUS_STEP")));
    }
}

void BM_GridCopy_GameConfig(benchmark::State& state) {
    copyGrid(state, 128, 96);
}
void BM_OnUpdate_GameConfig(benchmark::State& state) {
    playFrames(state, 128, 96);
}
void BM_GridCopy_256x256(benchmark::State& state) {
    copyGrid(state, kLargeGrid, kLargeGrid);
}
void BM_OnUpdate_256x256(benchmark::State& state) {
    playFrames(state, kLargeGrid, kLargeGrid);
}

BENCHMARK(BM_FrameConfigReads);
BENCHMARK(BM_GridCopy_GameConfig);
BENCHMARK(BM_OnUpdate_GameConfig);
BENCHMARK(BM_GridCopy_256x256);
BENCHMARK(BM_OnUpdate_256x256);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // With repetitions, each benchmark stands by its median.
    Bench::RatioReporter reporter(Bench::RatioReporter::OO_Defaults, "median");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto cpu = Bench::RatioReporter::kCpuTime;
    std::cout << "ratio onUpdate / grid copy, CPU time: 128x96 "
              << reporter.ratio(cpu, "BM_OnUpdate_GameConfig", "BM_GridCopy_GameConfig")
              << ", 256x256 " << reporter.ratio(cpu, "BM_OnUpdate_256x256", "BM_GridCopy_256x256")
              << std::endl;
    std::cout << "ratio per-frame configuration reads / onUpdate 128x96, CPU time: "
              << reporter.ratio(cpu, "BM_FrameConfigReads", "BM_OnUpdate_GameConfig") << std::endl;
    std::cout << "ratio onUpdate 256x256 / 128x96, CPU time: "
              << reporter.ratio(cpu, "BM_OnUpdate_256x256", "BM_OnUpdate_GameConfig") << std::endl;
    return 0;
}
