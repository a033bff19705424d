#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "demo_fixture.h"

using namespace fake;

namespace {

constexpr Color bottom = {60, 140, 220, 200};
constexpr Color middle = {40, 200, 180, 200};
constexpr Color top = {80, 180, 255, 150};

class Animation : public DemoFrames {
protected:
    // The calls of the strip alone, drawn from the current state.
    std::vector<Call> draw() {
        reset();
        gui_demo::drawAnimation(state, theme);
        return calls();
    }
};

// The three segment rectangles of bar i: they follow the panel, its outline and its heading.
std::vector<Call> bar(const std::vector<Call>& strip, int i) {
    return std::vector<Call>(strip.begin() + 3 + 3 * i, strip.begin() + 6 + 3 * i);
}

}  // namespace

TEST_F(Animation, DrawsPanelThirtyTwoBarsOrbitTrailAndLabelInOrder) {
    const std::vector<Call> strip = draw();
    ASSERT_EQ(strip.size(), 3u + 96 + 4 + 20 + 1);
    EXPECT_EQ(strip[0], rect(10, 375, 1260, 140, theme.panel_bg));
    EXPECT_EQ(strip[1], rectLines(10, 375, 1260, 140, theme.panel_border));
    EXPECT_EQ(strip[2], text("Animation Preview (O3DE UiAnimation)", 20, 381, 16, theme.accent));
    for (int i = 0; i < 32; ++i) {
        const std::vector<Call> segments = bar(strip, i);
        const Color colours[] = {bottom, middle, top};
        int stacked = 0;
        for (int s = 0; s < 3; ++s) {
            const Call& r = segments[s];
            ASSERT_EQ(r.op, Op::DrawRectangle);
            EXPECT_EQ(r.a, 20 + 38 * i);
            EXPECT_EQ(r.c, 36);
            EXPECT_EQ(r.color, colours[s]);
            stacked += r.d;
            EXPECT_EQ(r.b, 500 - stacked) << "segments stack upward from row 500";
        }
    }
    const std::size_t orbit = 3 + 96;
    EXPECT_EQ(strip[orbit], circleLines(1100, 445, 40.0f, theme.panel_border));
    EXPECT_EQ(strip[orbit + 1].op, Op::DrawCircle);
    EXPECT_EQ(strip[orbit + 2], circleLines(1100, 445, 20.0f, theme.scroll_track));
    EXPECT_EQ(strip[orbit + 3].op, Op::DrawCircle);
    for (std::size_t j = 0; j < 20; ++j) EXPECT_EQ(strip[orbit + 4 + j].radius, 3.0f);
    EXPECT_EQ(strip.back(), text("Rotation", 1060, 495, 12, theme.text_secondary));
}

TEST_F(Animation, AtTimeZero) {
    const std::vector<Call> strip = draw();
    EXPECT_EQ(bar(strip, 0),
              (std::vector<Call>{rect(20, 475, 36, 25, bottom), rect(20, 434, 36, 41, middle),
                                 rect(20, 407, 36, 27, top)}));
    EXPECT_EQ(bar(strip, 1),
              (std::vector<Call>{rect(58, 471, 36, 29, bottom), rect(58, 425, 36, 46, middle),
                                 rect(58, 399, 36, 26, top)}));
    EXPECT_EQ(bar(strip, 31)[0].a, 1198);
    const std::size_t orbit = 3 + 96;
    EXPECT_EQ(strip[orbit + 1], circle(1140, 445, 6.0f, theme.accent));
    EXPECT_EQ(strip[orbit + 3], circle(1110, 461, 4.0f, Color{255, 180, 50, 255}));
    EXPECT_EQ(strip[orbit + 4], circle(1140, 445, 3.0f, Color{80, 180, 255, 120}))
        << "the trail's first dot lies on the outer dot";
    EXPECT_EQ(strip[orbit + 4 + 10], circle(1102, 405, 3.0f, Color{80, 180, 255, 60}));
    EXPECT_EQ(strip[orbit + 4 + 19], circle(1061, 433, 3.0f, Color{80, 180, 255, 6}));
}

TEST_F(Animation, TrailFadesByTruncatedSinglePrecisionSteps) {
    // 47, 23 and 17 at 12, 16 and 17, where exact arithmetic would give 48, 24 and 18.
    const unsigned char alphas[20] = {120, 114, 108, 102, 96, 90, 84, 78, 72, 66,
                                      60,  54,  47,  42,  36, 30, 23, 17, 12, 6};
    for (float t : {0.0f, 3.7f}) {
        state.anim_time = t;
        const std::vector<Call> strip = draw();
        for (int j = 0; j < 20; ++j) {
            EXPECT_EQ(strip[3 + 96 + 4 + j].color.a, alphas[j]) << "j = " << j;
        }
    }
}

TEST_F(Animation, RotationSpeedZeroFreezesTheBarsButNotTheOrbit) {
    state.slider1_val = 0.0f;
    const std::vector<Call> at_start = draw();
    state.anim_time = 123.4f;
    const std::vector<Call> later = draw();
    EXPECT_TRUE(std::equal(at_start.begin(), at_start.begin() + 3 + 96, later.begin()));
    EXPECT_NE(at_start[3 + 96 + 1], later[3 + 96 + 1]) << "the outer dot moved";
}

TEST_F(Animation, MovingTheSliderMakesTheWaveJump) {
    // At T = 10 s, moving from 0.5 to 0.25 shifts every phase by 4 * 10 * 0.25 = 10 rad: the
    // wave takes the shape it would have at T = 5 s with the old setting.
    state.anim_time = 10.0f;
    state.slider1_val = 0.25f;
    const std::vector<Call> moved = draw();
    state.anim_time = 5.0f;
    state.slider1_val = 0.5f;
    const std::vector<Call> reference = draw();
    EXPECT_TRUE(std::equal(moved.begin() + 3, moved.begin() + 3 + 96, reference.begin() + 3));
}

TEST_F(Animation, TheSlidersChangeReachesTheWaveInTheSameFrame) {
    state.anim_time = 10.0f;           // at 0.5, bar 0's bottom segment would be 47 px tall
    fake::Input in = holdAt(260, 80);  // "Rotation Speed" to 0 in this very frame
    in.dt = 0.0f;
    frame(in);
    const std::vector<Call>& all = calls();
    const Call* heading = findText("Animation Preview (O3DE UiAnimation)");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(all[static_cast<std::size_t>(heading - all.data()) + 1],
              rect(20, 475, 36, 25, bottom))
        << "the wave shows its frozen, time-zero shape";
}

TEST_F(Animation, LongRunsStayInBoundsAndFreezeOnceTimeStopsGrowing) {
    // Frame times can never sum anywhere near 1e37 s; beyond about 1e38 the angles themselves
    // overflow to infinity, which the next test covers.
    for (float t : {1000.0f, 524288.0f, 1e7f, 1e20f, 1e37f}) {
        state.anim_time = t;
        const std::vector<Call> strip = draw();
        for (int i = 0; i < 32; ++i) {
            for (const Call& r : bar(strip, i)) {
                EXPECT_GE(r.d, 0);
                EXPECT_LE(r.d, 50);
                EXPECT_GE(r.b, 370);
                EXPECT_LE(r.b, 500);
            }
        }
        for (std::size_t k = 3 + 96; k < strip.size() - 1; ++k) {
            EXPECT_LE(std::abs(strip[k].a - 1100), 40) << "t = " << t;
            EXPECT_LE(std::abs(strip[k].b - 445), 40) << "t = " << t;
        }
    }
    // From 2^19 s on, adding a 60 fps frame time no longer changes the clock.
    state.anim_time = 524288.0f;
    frame(at(0, 0));
    EXPECT_EQ(state.anim_time, 524288.0f);
}

TEST_F(Animation, AClockBeyondTheFloatRangeStillConvertsSafely) {
    // Runs under UBSan too: a NaN or infinite coordinate saturates instead of being undefined.
    for (float t : {3e38f, INFINITY}) {
        state.anim_time = t;
        const std::vector<Call> strip = draw();
        for (int i = 0; i < 32; ++i) {
            for (const Call& r : bar(strip, i)) EXPECT_EQ(r.d, 0) << "t = " << t;
        }
    }
}
