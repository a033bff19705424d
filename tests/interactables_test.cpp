#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "demo_fixture.h"

using namespace fake;

using Interactables = DemoFrames;

namespace {
constexpr Color white = {255, 255, 255, 255};

Color buttonFill() { return colorAt(Op::DrawRectangle, 30, 70); }
}  // namespace

TEST_F(Interactables, ButtonCountsPressesInsideItsHalfOpenRectangle) {
    struct Case {
        int x, y;
        std::uint32_t clicks;
    };
    const Case cases[] = {
        {30, 70, 1},    // top-left corner is inside
        {209, 109, 1},  // last pixel inside
        {29, 80, 0},    // one left of it
        {210, 80, 0},   // the right edge is outside
        {100, 110, 0},  // the bottom edge is outside
    };
    for (const Case& c : cases) {
        state = gui_demo::initialState();
        frame(pressAt(c.x, c.y));
        EXPECT_EQ(state.btn_click_count, c.clicks) << "press at " << c.x << ", " << c.y;
        EXPECT_EQ(state.hover_btn, c.clicks == 1 ? 0 : -1);
        EXPECT_NE(findText(c.clicks == 1 ? "Clicks: 1" : "Clicks: 0"), nullptr)
            << "the click shows in the same frame";
    }
}

TEST_F(Interactables, HoldingCountsOnceAndLooksPressedThroughout) {
    frame(pressAt(100, 90));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(buttonFill(), theme.btn_pressed);
        frame(holdAt(100, 90));
    }
    EXPECT_EQ(state.btn_click_count, 1u);
    frame(releaseAt(300, 30));  // released away from the button: the click already counted
    EXPECT_EQ(state.btn_click_count, 1u);
    EXPECT_EQ(buttonFill(), theme.btn_normal);
}

TEST_F(Interactables, APressBegunOutsideLooksPressedOverTheButtonButDoesNotCount) {
    frame(pressAt(20, 90));
    frame(holdAt(100, 90));
    EXPECT_EQ(state.btn_click_count, 0u);
    EXPECT_EQ(buttonFill(), theme.btn_pressed);
    frame(at(100, 90));  // hovering without the button
    EXPECT_EQ(buttonFill(), theme.btn_hover);
}

TEST_F(Interactables, TheButtonHeldDownElsewhereLeavesItsLookNormal) {
    frame(pressAt(400, 300));
    frame(holdAt(400, 300));
    EXPECT_EQ(buttonFill(), theme.btn_normal);
}

TEST_F(Interactables, ClickCountStaysAtItsMaximum) {
    state.btn_click_count = std::numeric_limits<std::uint32_t>::max();
    frame(pressAt(100, 90));
    EXPECT_EQ(state.btn_click_count, 4294967295u);
    EXPECT_EQ(*findText("Clicks: 4294967295"),
              text("Clicks: 4294967295", 30, 115, 14, theme.text_secondary));
}

TEST_F(Interactables, OnlyTheCheckboxSquaresToggle) {
    struct Case {
        const char* where;
        int x, y;
        bool cb1, cb2, cb3;  // after the press; initially false, true, false
    };
    const Case cases[] = {
        {"first square's corner", 30, 130, true, true, false},
        {"first square's last pixel", 51, 151, true, true, false},
        {"right of the first square", 52, 140, false, true, false},
        {"on the first label", 62, 132, false, true, false},
        {"gap below the first square", 40, 152, false, true, false},
        {"gap above the second square", 40, 164, false, true, false},
        {"second square", 40, 165, false, false, false},
        {"third square's last row", 40, 221, false, true, true},
        {"below the third square", 40, 222, false, true, false},
    };
    for (const Case& c : cases) {
        state = gui_demo::initialState();
        frame(pressAt(c.x, c.y));
        EXPECT_EQ(state.checkbox1, c.cb1) << c.where;
        EXPECT_EQ(state.checkbox2, c.cb2) << c.where;
        EXPECT_EQ(state.checkbox3, c.cb3) << c.where;
    }
}

TEST_F(Interactables, ACheckboxTogglesOncePerPress) {
    frame(pressAt(40, 140));
    frame(holdAt(40, 140));
    frame(releaseAt(40, 140));
    EXPECT_TRUE(state.checkbox1);
    frame(pressAt(40, 140));
    EXPECT_FALSE(state.checkbox1);
}

TEST_F(Interactables, RadioSquaresSelectTheirItem) {
    struct Case {
        const char* where;
        int x, y;
        unsigned before, after;
    };
    const Case cases[] = {
        {"first square's corner", 30, 270, 3, 1},
        {"second square's corner, outside its circle", 30, 305, 1, 2},
        {"second square's last pixel", 51, 326, 1, 2},
        {"between the first and second squares", 40, 292, 3, 3},
        {"third square's last row, below the panel", 40, 361, 1, 3},
        {"below the third square", 40, 362, 1, 1},
        {"on a label", 62, 307, 1, 1},
    };
    for (const Case& c : cases) {
        state = gui_demo::initialState();
        state.radio_selected = c.before;
        frame(pressAt(c.x, c.y));
        EXPECT_EQ(state.radio_selected, c.after) << c.where;
    }
}

TEST_F(Interactables, PressingTheSelectedItemKeepsIt) {
    frame(pressAt(40, 280));
    EXPECT_EQ(state.radio_selected, 1u);
}

TEST_F(Interactables, DrawsTheInitialPanel) {
    gui_demo::drawInteractables(state, gui_demo::Input{}, theme);
    // Glyphs measure 10 px in the stand-in, so "Click Me" is 80 px wide.
    const std::vector<Call> expected = {
        rect(10, 50, 230, 310, theme.panel_bg),
        rectLines(10, 50, 230, 310, theme.panel_border),
        text("Interactables", 20, 56, 16, theme.accent),
        rect(30, 70, 180, 40, theme.btn_normal),
        rectLines(30, 70, 180, 40, theme.panel_border),
        measure("Click Me", 18),
        text("Click Me", 80, 81, 18, theme.btn_text),
        text("Clicks: 0", 30, 115, 14, theme.text_secondary),
        text("Checkboxes:", 30, 112, 14, theme.text_secondary),
        rect(30, 130, 22, 22, theme.checkbox_empty),
        rectLines(30, 130, 22, 22, theme.panel_border),
        text("Projective Geometry", 62, 132, 16, theme.text_primary),
        rect(30, 165, 22, 22, theme.checkbox_checked),
        line(34, 176, 37, 182, white),
        line(37, 182, 48, 169, white),
        rectLines(30, 165, 22, 22, theme.panel_border),
        text("Dual Quaternions", 62, 167, 16, theme.text_primary),
        rect(30, 200, 22, 22, theme.checkbox_empty),
        rectLines(30, 200, 22, 22, theme.panel_border),
        text("Archetype Algebra", 62, 202, 16, theme.text_primary),
        text("Render Mode:", 30, 252, 14, theme.text_secondary),
        circleLines(41, 281, 11.0f, theme.panel_border),
        circle(41, 281, 7.0f, theme.accent),
        text("Wireframe", 62, 272, 16, theme.text_primary),
        circleLines(41, 316, 11.0f, theme.panel_border),
        text("Solid", 62, 307, 16, theme.text_primary),
        circleLines(41, 351, 11.0f, theme.panel_border),
        text("Instanced", 62, 342, 16, theme.text_primary),
    };
    EXPECT_EQ(calls(), expected);
}

TEST_F(Interactables, HoverLightsTheWidgetUnderThePointer) {
    struct Case {
        int x, y;
        Call lit;
    };
    const Case cases[] = {
        {100, 90, rect(30, 70, 180, 40, theme.btn_hover)},
        {40, 210, rectLines(30, 200, 22, 22, theme.accent)},
        {40, 310, circleLines(41, 316, 11.0f, theme.accent)},
    };
    for (const Case& c : cases) {
        frame(at(c.x, c.y));
        const std::vector<Call>& all = calls();
        EXPECT_NE(std::find(all.begin(), all.end(), c.lit), all.end()) << c.x << ", " << c.y;
    }
}
