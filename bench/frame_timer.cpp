// A preload for measuring the unmodified program: LD_PRELOAD it and it times every frame from
// one EndDrawing to the next, with the process's CPU time and minor page faults, then ends the
// program through its own close path and writes one line per frame:
//
//   KIND WALL_NS CPU_NS MINOR_FAULTS        KIND is "demo" or "empty"
//
// and last "rss KIB_AFTER_WARMUP KIB_AT_END", the resident memory.
//
// Set by environment variables:
//   FRAME_TIMER_OUT      file to write (required)
//   FRAME_TIMER_WARMUP   demo frames before measuring (default 60)
//   FRAME_TIMER_FRAMES   demo frames measured (default 600)
//   FRAME_TIMER_EMPTY    when 1, after every block of measured demo frames, as many empty frames
//                        (clear and present, nothing else) in the same window, so both kinds see
//                        the same machine state
//   FRAME_TIMER_BLOCK    frames in such a block (default 30)
//   FRAME_TIMER_UNCAPPED when 1, SetTargetFPS(n) becomes SetTargetFPS(0): frames as fast as the
//                        machine goes
//   FRAME_TIMER_FIXED_DT when 1, GetFrameTime answers 1/60 s, so every run computes the same
//                        frames (for counting instructions)
#include <dlfcn.h>
#include <raylib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

constexpr int max_records = 100000;

struct Record {
    bool empty;
    long long wall_ns, cpu_ns, faults;
};

struct Timer {
    bool ready = false;
    int warmup = 60, frames = 600, block = 30;
    bool empty = false, uncapped = false, fixed_dt = false;
    int demo_frames = 0;  // demo frames presented, warm-up included
    long long last_wall = 0, last_cpu = 0, last_faults = 0;
    long long rss_after_warmup = 0;
    int n = 0;
    Record records[max_records];
};

Timer timer;

int envInt(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0' ? std::atoi(v) : fallback;
}

void setUp() {
    if (timer.ready) return;
    timer.ready = true;
    timer.warmup = envInt("FRAME_TIMER_WARMUP", 60);
    timer.frames = envInt("FRAME_TIMER_FRAMES", 600);
    if (timer.frames * 2 > max_records) timer.frames = max_records / 2;
    timer.block = envInt("FRAME_TIMER_BLOCK", 30);
    if (timer.block < 1) timer.block = 1;
    timer.empty = envInt("FRAME_TIMER_EMPTY", 0) == 1;
    timer.uncapped = envInt("FRAME_TIMER_UNCAPPED", 0) == 1;
    timer.fixed_dt = envInt("FRAME_TIMER_FIXED_DT", 0) == 1;
}

long long nowNs(clockid_t clock) {
    timespec ts;
    clock_gettime(clock, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

long long minorFaults() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

long long residentKib() {
    long long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%lld %lld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

template <typename F>
F real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// Closes the span since the previous present: records it when measuring, restarts it always.
void mark(bool empty, bool measuring) {
    const long long wall = nowNs(CLOCK_MONOTONIC), cpu = nowNs(CLOCK_PROCESS_CPUTIME_ID);
    const long long faults = minorFaults();
    if (measuring && timer.n < max_records) {
        timer.records[timer.n++] = {empty, wall - timer.last_wall, cpu - timer.last_cpu,
                                    faults - timer.last_faults};
    }
    timer.last_wall = wall, timer.last_cpu = cpu, timer.last_faults = faults;
}

void writeReport() {
    const char* path = std::getenv("FRAME_TIMER_OUT");
    if (path == nullptr) return;
    FILE* f = std::fopen(path, "w");
    if (f == nullptr) return;
    for (int i = 0; i < timer.n; ++i) {
        const Record& r = timer.records[i];
        std::fprintf(f, "%s %lld %lld %lld\n", r.empty ? "empty" : "demo", r.wall_ns, r.cpu_ns,
                     r.faults);
    }
    std::fprintf(f, "rss %lld %lld\n", timer.rss_after_warmup, residentKib());
    std::fclose(f);
}

}  // namespace

extern "C" {

void SetTargetFPS(int fps) {
    setUp();
    real<void (*)(int)>("SetTargetFPS")(timer.uncapped ? 0 : fps);
}

float GetFrameTime(void) {
    setUp();
    return timer.fixed_dt ? 1.0f / 60.0f : real<float (*)(void)>("GetFrameTime")();
}

void EndDrawing(void) {
    setUp();
    static const auto end_drawing = real<void (*)(void)>("EndDrawing");
    static const auto begin_drawing = real<void (*)(void)>("BeginDrawing");
    static const auto clear_background = real<void (*)(Color)>("ClearBackground");
    end_drawing();
    ++timer.demo_frames;
    const int measured = timer.demo_frames - timer.warmup;
    mark(false, measured > 0);
    if (measured == 0) timer.rss_after_warmup = residentKib();
    if (timer.empty && measured > 0 && measured % timer.block == 0) {
        for (int i = 0; i < timer.block; ++i) {
            begin_drawing();
            clear_background(Color{12, 12, 18, 255});
            end_drawing();
            mark(true, true);
        }
    }
}

bool WindowShouldClose(void) {
    setUp();
    if (timer.demo_frames >= timer.warmup + timer.frames) {
        writeReport();
        return true;
    }
    return real<bool (*)(void)>("WindowShouldClose")();
}

}  // extern "C"
