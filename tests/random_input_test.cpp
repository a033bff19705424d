// Random input through the real update and draw steps, checking the screen state's invariants
// after every frame. A failure names its seed and frame; replay one seed with
//   GUI_DEMO_SEED=<seed> GUI_DEMO_FRAMES=<n> build/tests/unit_tests --gtest_filter='RandomInput*'
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "demo_fixture.h"

using namespace fake;

namespace {

constexpr int default_frames = 100000;

// Rectangles whose edges the pointer should hit often: every widget and panel of the screen.
struct Rect {
    int x, y, w, h;
};
constexpr Rect targets[] = {
    {30, 70, 180, 40},   {30, 130, 22, 22},   {30, 165, 22, 22},  {30, 200, 22, 22},
    {30, 270, 22, 22},   {30, 305, 22, 22},   {30, 340, 22, 22},  {260, 70, 200, 24},
    {260, 120, 200, 24}, {260, 170, 200, 24}, {470, 70, 20, 280}, {520, 70, 200, 280},
    {540, 260, 180, 80}, {760, 70, 240, 36},  {0, 0, 1280, 720},
};

class Generator {
public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    Input next() {
        Input in;
        in.dt = nextDt();
        pointer(in.mouse_x, in.mouse_y);
        button(in);
        const int typed = pick(6);
        for (int i = 0; i < typed; ++i) in.chars[i] = codePoint();
        in.backspace = chance(10);
        in.enter = chance(25);
        return in;
    }

private:
    bool chance(int one_in) { return pick(one_in) == 0; }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    float nextDt() {
        switch (pick(8)) {
            case 0:
                return 0.0f;
            case 1:
                return 1e-30f;  // a rate of 1e30 fps
            case 2:
                return 2.0f;  // a stall
            default:
                return std::uniform_real_distribution<float>(0.001f, 0.05f)(rng_);
        }
    }

    void pointer(int& x, int& y) {
        switch (pick(4)) {
            case 0: {  // anywhere in the window
                x = between(0, 1279);
                y = between(0, 719);
                break;
            }
            case 1: {  // extreme values, one axis or both
                const int extremes[] = {INT_MIN, INT_MIN + 1, -1, 1280, 720, INT_MAX - 1, INT_MAX};
                x = chance(2) ? extremes[pick(7)] : between(0, 1279);
                y = chance(2) ? extremes[pick(7)] : between(0, 719);
                break;
            }
            default: {  // on or next to an edge of a widget
                const Rect& r = targets[pick(static_cast<int>(std::size(targets)))];
                const int xs[] = {r.x - 1, r.x, r.x + 1, r.x + r.w - 1, r.x + r.w, r.x + r.w / 2};
                const int ys[] = {r.y - 1, r.y, r.y + 1, r.y + r.h - 1, r.y + r.h, r.y + r.h / 2};
                x = xs[pick(6)];
                y = ys[pick(6)];
            }
        }
    }

    void button(Input& in) {
        if (chance(20)) {  // a combination no real mouse sends
            in.pressed = chance(2);
            in.down = chance(2);
            in.released = chance(2);
            return;
        }
        const bool was_down = down_;
        if (chance(4)) down_ = !down_;
        in.down = down_;
        in.pressed = down_ && !was_down;
        in.released = !down_ && was_down;
    }

    int codePoint() {
        switch (pick(6)) {
            case 0:
                return between(1, 31);  // control characters (0 ends the queue)
            case 1:
                return 127;
            case 2:
                return between(128, 0x10FFFF);
            case 3:
                return chance(2) ? INT_MIN : between(INT_MIN, -1);
            case 4:
                return INT_MAX;
            default:
                return between(32, 126);
        }
    }

    std::mt19937 rng_;
    bool down_ = false;
};

::testing::AssertionResult invariantsHold(const gui_demo::DemoState& s,
                                          const gui_demo::LoopClock& clock) {
    auto fail = [] { return ::testing::AssertionFailure(); };
    if (s.input_len > 63) return fail() << "input_len " << s.input_len;
    for (std::size_t i = 0; i < sizeof s.input_text; ++i) {
        const unsigned char c = s.input_text[i];
        if (i >= s.input_len && c != 0) return fail() << "byte " << i << " past the text is " << +c;
        if (i < s.input_len && (c < 32 || c > 126)) return fail() << "byte " << i << " is " << +c;
    }
    if (s.radio_selected < 1 || s.radio_selected > 3) return fail() << "radio " << s.radio_selected;
    for (float v : {s.slider1_val, s.slider2_val, s.slider3_val, s.scroll_offset}) {
        if (!(v >= 0.0f && v <= 1.0f)) return fail() << "fraction " << v;
    }
    if (!(s.drag_x >= 520.0f && s.drag_x <= 670.0f && s.drag_y >= 70.0f && s.drag_y <= 300.0f))
        return fail() << "box at " << s.drag_x << ", " << s.drag_y;
    if (std::trunc(s.drag_x) != s.drag_x || std::trunc(s.drag_y) != s.drag_y)
        return fail() << "box off the pixel grid at " << s.drag_x << ", " << s.drag_y;
    if (s.fps_count >= 30) return fail() << "fps_count " << s.fps_count;
    if (!(clock.cursor_blink >= 0.0f && clock.cursor_blink <= 1.0f))
        return fail() << "cursor_blink " << clock.cursor_blink;

    for (const Call& c : calls()) {
        // Every text must end inside its buffer: the stand-in keeps up to 159 bytes, and no
        // text of this screen is that long, so a full record means a runaway read.
        if (c.op == Op::DrawText && std::strlen(c.text) >= text_capacity - 1)
            return fail() << "unterminated text \"" << c.text << "\"";
        const bool drawn = c.op == Op::DrawRectangle || c.op == Op::DrawCircle ||
                           c.op == Op::DrawText || c.op == Op::DrawLine;
        if (drawn && (c.a < -100 || c.a > 1500 || c.b < -100 || c.b > 800))
            return fail() << "drawn off the layout at " << c.a << ", " << c.b;
    }
    return ::testing::AssertionSuccess();
}

int envOr(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v != nullptr ? std::atoi(v) : fallback;
}

class RandomInput : public DemoFrames {};

}  // namespace

TEST_F(RandomInput, KeepsEveryInvariantFrameAfterFrame) {
    const unsigned seed = static_cast<unsigned>(envOr("GUI_DEMO_SEED", 20261208));
    const int frames = envOr("GUI_DEMO_FRAMES", default_frames);
    Generator generator(seed);
    for (int f = 0; f < frames; ++f) {
        frame(generator.next());
        ASSERT_TRUE(invariantsHold(state, clock)) << "seed " << seed << ", frame " << f;
    }
    RecordProperty("frames", frames);
}

TEST_F(RandomInput, LongRunsKeepTheAnimationInBounds) {
    // An hour per frame: the clock passes 2^19 s after 146 frames and keeps going.
    Input hour = at(100, 600);
    hour.dt = 3600.0f;
    for (int f = 0; f < 3000; ++f) {
        frame(hour);
        ASSERT_TRUE(invariantsHold(state, clock)) << "frame " << f << ", t " << state.anim_time;
    }
    EXPECT_GT(state.anim_time, 1e7f);
}
