// What a frame costs in the real window, the frame cap off: an empty frame (clear and present)
// against the demo's full frame driven by the shared input script, alternated so that drift on
// a busy machine affects both alike.
//
//   frame_cost [REPEATS [FRAMES]]      medians of REPEATS runs of FRAMES frames of each kind
//   frame_cost --only empty|demo N     N frames of one kind, for counting instructions
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gui_demo/demo.h"
#include "workload.h"

namespace {

constexpr float dt = 1.0f / 60.0f;  // fixed, so every run computes the same frames

struct Demo {
    Theme theme = Theme::defaults();
    gui_demo::DemoState state = gui_demo::initialState();
    gui_demo::LoopClock clock;
    int frame = 0;
};

void emptyFrame(const Theme& theme) {
    BeginDrawing();
    ClearBackground(theme.bg);
    EndDrawing();
}

void demoFrame(Demo& d) {
    const bool cursor_visible = gui_demo::advanceClock(d.clock, dt);
    gui_demo::sampleFrameRate(d.state, dt);
    const gui_demo::Input in = workload::input(d.frame++);
    gui_demo::updatePanels(d.state, in, dt);
    gui_demo::drawFrame(d.state, d.clock, in, cursor_visible, d.theme);
}

template <typename F>
double microsecondsPerFrame(int frames, F&& run) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) run();
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    return took.count() / frames;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    SetTraceLogLevel(LOG_WARNING);
    SetConfigFlags(0);
    InitWindow(1280, 720, "frame cost");
    Demo demo;
    // No SetTargetFPS: the cap is off and every frame runs as fast as it can.

    if (argc == 4 && std::strcmp(argv[1], "--only") == 0) {
        const int frames = std::atoi(argv[3]);
        const bool empty = std::strcmp(argv[2], "empty") == 0;
        for (int i = 0; i < frames; ++i) empty ? emptyFrame(demo.theme) : demoFrame(demo);
        CloseWindow();
        return 0;
    }

    const int repeats = argc > 1 ? std::atoi(argv[1]) : 15;
    const int frames = argc > 2 ? std::atoi(argv[2]) : 120;
    // Warm up: shader compilation, font texture upload, first allocations in the driver.
    for (int i = 0; i < 30; ++i) demoFrame(demo), emptyFrame(demo.theme);
    std::vector<double> empty_us, demo_us;
    for (int r = 0; r < repeats; ++r) {
        empty_us.push_back(microsecondsPerFrame(frames, [&] { emptyFrame(demo.theme); }));
        demo_us.push_back(microsecondsPerFrame(frames, [&] { demoFrame(demo); }));
    }
    CloseWindow();
    const double e = median(empty_us), d = median(demo_us);
    std::printf("empty frame: %8.1f us (median of %d runs of %d frames)\n", e, repeats, frames);
    std::printf("demo frame:  %8.1f us\n", d);
    std::printf("ratio demo / empty: %.2f\n", d / e);
    return 0;
}
