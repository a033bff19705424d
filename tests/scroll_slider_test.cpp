#include <gtest/gtest.h>

#include <vector>

#include "demo_fixture.h"

using namespace fake;

using ScrollSlider = DemoFrames;

namespace {

// The value text beside a slider whose track starts at row top.
const char* valueText(int top) {
    const Call* c = findAt(Op::DrawText, 468, top + 3);
    return c != nullptr ? c->text : "(none)";
}

// The fill width drawn for the slider whose track starts at row top.
int fillWidth(int top) {
    int seen = 0;
    for (const Call& c : calls()) {
        // The track comes first, then the fill, both at (260, top + 8).
        if (c.op == Op::DrawRectangle && c.a == 260 && c.b == top + 8 && ++seen == 2) return c.c;
    }
    return -1;
}

int scrollHandleTop() {
    const std::vector<Call> handles = callsOf(Op::DrawRectangle);
    for (const Call& c : handles) {
        if (c.a == 472 && c.c == 16) return c.b;
    }
    return -1;
}

}  // namespace

TEST_F(ScrollSlider, SliderFollowsTheHeldButtonOnlyOverItsTrack) {
    struct Case {
        const char* where;
        int x, y;
        float value;  // of "Rotation Speed", initially 0.5
        const char* shown;
    };
    const Case cases[] = {
        {"left end", 260, 80, 0.0f, "0.00"},
        {"last column", 459, 80, 0.995f, "1.00"},
        {"right edge is outside", 460, 80, 0.5f, "0.50"},
        {"left of the track", 259, 80, 0.5f, "0.50"},
        {"top row", 300, 70, 0.2f, "0.20"},
        {"last row", 300, 93, 0.2f, "0.20"},
        {"bottom edge is outside", 300, 94, 0.5f, "0.50"},
        {"odd multiple of 0.005 rounds up", 285, 80, 0.125f, "0.13"},
    };
    for (const Case& c : cases) {
        state = gui_demo::initialState();
        frame(holdAt(c.x, c.y));
        EXPECT_EQ(state.slider1_val, c.value) << c.where;
        EXPECT_STREQ(valueText(70), c.shown) << c.where;
    }
}

TEST_F(ScrollSlider, EachTrackMovesOnlyItsOwnSlider) {
    frame(holdAt(310, 130));
    EXPECT_EQ(state.slider1_val, 0.5f);
    EXPECT_EQ(state.slider2_val, 0.25f);
    EXPECT_EQ(state.slider3_val, 0.75f);
    // Second track is rows 120 to 143, third 170 to 193.
    frame(holdAt(310, 120));
    EXPECT_EQ(state.slider2_val, 0.25f);
    EXPECT_EQ(state.slider3_val, 0.75f);
    frame(holdAt(270, 193));
    EXPECT_EQ(state.slider3_val, 0.05f);
    EXPECT_EQ(state.slider2_val, 0.25f);
}

TEST_F(ScrollSlider, APressBegunElsewhereMovesASliderItPassesOver) {
    frame(pressAt(300, 30));
    frame(holdAt(300, 160));
    EXPECT_EQ(state.slider2_val, 0.25f);
    frame(holdAt(300, 130));
    EXPECT_EQ(state.slider2_val, 0.2f);
}

TEST_F(ScrollSlider, LeavingTheTrackToTheRightKeepsTheLastValue) {
    frame(pressAt(450, 80));
    EXPECT_EQ(state.slider1_val, 0.95f);
    frame(holdAt(470, 80));
    frame(holdAt(900, 80));
    EXPECT_EQ(state.slider1_val, 0.95f) << "never jumps to 1";
}

TEST_F(ScrollSlider, WithoutTheButtonNothingMoves) {
    frame(at(300, 80));
    frame(releaseAt(300, 80));
    frame(at(480, 200));
    EXPECT_EQ(state.slider1_val, 0.5f);
    EXPECT_EQ(state.scroll_offset, 0.0f);
}

TEST_F(ScrollSlider, FillWidthIsTheTruncatedProductOfTheStoredValue) {
    // k / 200 stored as a float can fall just short of k / 200, so 200 times it truncates to
    // k - 1 for some k: the drawing follows the float arithmetic, not the pointer's column.
    struct Case {
        int k, fill_w;
    };
    const Case cases[] = {{53, 52},   {59, 58}, {105, 104}, {106, 105}, {117, 116},
                          {118, 117}, {50, 50}, {100, 100}, {199, 199}, {0, 0}};
    for (const Case& c : cases) {
        frame(holdAt(260 + c.k, 80));
        EXPECT_EQ(fillWidth(70), c.fill_w) << "k = " << c.k;
    }
}

TEST_F(ScrollSlider, ScrollHandleFollowsThePointersRowUntilItTouchesTheBottom) {
    struct Case {
        int row;
        int handle_top;
    };
    const Case cases[] = {
        {70, 70},   {100, 100}, {172, 172}, {173, 172},  // 103 / 280 * 280 falls just short of 103
        {241, 240},                                      // likewise 171
        {266, 266}, {267, 266}, {349, 266},
    };
    for (const Case& c : cases) {
        frame(holdAt(480, c.row));
        EXPECT_EQ(state.scroll_offset, static_cast<float>(c.row - 70) / 280.0f);
        EXPECT_EQ(scrollHandleTop(), c.handle_top) << "row " << c.row;
    }
    EXPECT_EQ(state.scroll_offset, 279.0f / 280.0f);
    frame(holdAt(480, 350));  // the bottom edge is outside
    EXPECT_EQ(state.scroll_offset, 279.0f / 280.0f);
    frame(holdAt(490, 200));  // so is the right edge
    EXPECT_EQ(state.scroll_offset, 279.0f / 280.0f);
}

TEST_F(ScrollSlider, DrawsTheInitialPanel) {
    gui_demo::drawScrollSlider(state, theme);
    std::vector<Call> expected = {
        rect(250, 50, 260, 310, theme.panel_bg),
        rectLines(250, 50, 260, 310, theme.panel_border),
        text("Scroll & Slider", 260, 56, 16, theme.accent),
    };
    struct Slider {
        const char* caption;
        int top, fill_w;
        const char* value;
    };
    const Slider sliders[] = {{"Rotation Speed", 70, 100, "0.50"},
                              {"Field of View", 120, 50, "0.25"},
                              {"Exposure", 170, 150, "0.75"}};
    for (const Slider& s : sliders) {
        expected.push_back(text(s.caption, 260, s.top - 18, 14, theme.text_secondary));
        expected.push_back(rect(260, s.top + 8, 200, 8, theme.slider_track));
        expected.push_back(rect(260, s.top + 8, s.fill_w, 8, theme.slider_fill));
        expected.push_back(circle(260 + s.fill_w, s.top + 12, 14.0f, theme.slider_handle));
        expected.push_back(text(s.value, 468, s.top + 3, 14, theme.text_primary));
    }
    expected.push_back(text("Scroll", 460, 52, 14, theme.text_secondary));
    expected.push_back(rect(470, 70, 20, 280, theme.scroll_track));
    expected.push_back(rect(472, 70, 16, 84, theme.scroll_handle));
    expected.push_back(text("Log Output:", 260, 220, 14, theme.text_secondary));
    const char* const shown[] = {"[Zelkor] Engine initialized", "[Zelkor] GPU: GTX 1060",
                                 "[Zelkor] OpenGL 3.3 loaded",  "[Zelkor] SH math: L0-L4",
                                 "[Zelkor] DualQuat: SE(3)",    "[Zelkor] Sobol: 15D",
                                 "[Zelkor] CORDIC ready",       "[Zelkor] Archetype loaded"};
    for (int i = 0; i < 8; ++i) {
        expected.push_back(text(shown[i], 260, 240 + 16 * i, 13, theme.text_secondary));
    }
    EXPECT_EQ(calls(), expected);
}

TEST_F(ScrollSlider, TheLogDoesNotScroll) {
    state.scroll_offset = 0.9f;
    gui_demo::drawScrollSlider(state, theme);
    EXPECT_EQ(*findText("[Zelkor] Engine initialized"),
              text("[Zelkor] Engine initialized", 260, 240, 13, theme.text_secondary));
    EXPECT_EQ(findText("[Zelkor] Tensor algebra OK"), nullptr);
    EXPECT_EQ(callsOf(Op::DrawText).size(), 1u + 3 * 2 + 1 + 1 + 8);
}
