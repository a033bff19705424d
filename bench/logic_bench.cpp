// What the demo's own logic costs per frame: every update and draw step of a whole frame, with
// the library replaced by a stand-in that draws nothing.
#include <benchmark/benchmark.h>

#include "fake_raylib.h"
#include "gui_demo/demo.h"
#include "workload.h"

namespace {

void demoFrameLogic(benchmark::State& bench) {
    fake::reset();
    fake::setRecording(false);
    const Theme theme = Theme::defaults();
    gui_demo::DemoState state = gui_demo::initialState();
    gui_demo::LoopClock clock;
    int frame = 0;
    for (auto _ : bench) {
        fake::setInput(workload::script(frame));
        gui_demo::runFrame(state, clock, theme);
        ++frame;
    }
    benchmark::DoNotOptimize(state);
}
BENCHMARK(demoFrameLogic);

}  // namespace

BENCHMARK_MAIN();
