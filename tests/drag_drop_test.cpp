#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "demo_fixture.h"

using namespace fake;

using DragDrop = DemoFrames;

namespace {

Color dropOutline() { return colorAt(Op::DrawRectangleLines, 540, 260); }

}  // namespace

TEST_F(DragDrop, OnlyAPressOnTheBoxPicksItUp) {
    struct Case {
        const char* where;
        int x, y;
        bool picked;
    };
    // The box rests at (600, 300), 50 px square.
    const Case cases[] = {
        {"top-left pixel", 600, 300, true},
        {"bottom-right pixel", 649, 349, true},
        {"first column right of it", 650, 320, false},
        {"first row below it", 620, 350, false},
        {"last column left of it", 599, 320, false},
        {"last row above it", 620, 299, false},
    };
    for (const Case& c : cases) {
        state = gui_demo::initialState();
        frame(pressAt(c.x, c.y));
        EXPECT_EQ(state.is_dragging, c.picked) << c.where;
        if (!c.picked) {
            EXPECT_EQ(state.drag_x, 600.0f) << c.where;
            EXPECT_EQ(state.drag_y, 300.0f) << c.where;
        }
    }
}

TEST_F(DragDrop, PickingUpCentresTheBoxOnThePointerAtOnce) {
    frame(pressAt(610, 310));
    EXPECT_EQ(state.drag_x, 585.0f);
    EXPECT_EQ(state.drag_y, 285.0f);
    EXPECT_EQ(colorAt(Op::DrawRectangle, 585, 285), theme.accent);
    frame(releaseAt(610, 310));
    EXPECT_FALSE(state.is_dragging);
    EXPECT_EQ(state.drag_x, 585.0f) << "a click leaves the box where it was centred";
    EXPECT_EQ(state.drag_y, 285.0f);
    EXPECT_EQ(colorAt(Op::DrawRectangle, 585, 285), theme.btn_normal);
}

TEST_F(DragDrop, SlidingOntoTheBoxWithTheButtonHeldDoesNotPickItUp) {
    frame(pressAt(590, 320));
    frame(holdAt(620, 320));
    frame(holdAt(640, 200));
    EXPECT_FALSE(state.is_dragging);
    EXPECT_EQ(state.drag_x, 600.0f);
    EXPECT_EQ(state.drag_y, 300.0f);
}

TEST_F(DragDrop, TheCarriedBoxStaysInsideItsArea) {
    struct Case {
        const char* where;
        int x, y;
        float drag_x, drag_y;
    };
    const Case cases[] = {
        {"far left, outside the window", -5000, 200, 520.0f, 175.0f},
        {"far right", 5000, 200, 670.0f, 175.0f},
        {"far above", 600, -5000, 575.0f, 70.0f},
        {"far below", 600, 5000, 575.0f, 300.0f},
        {"INT_MIN corner", INT_MIN, INT_MIN, 520.0f, 70.0f},
        {"INT_MAX corner", INT_MAX, INT_MAX, 670.0f, 300.0f},
        {"back inside", 630, 150, 605.0f, 125.0f},
    };
    frame(pressAt(625, 325));
    for (const Case& c : cases) {
        frame(holdAt(c.x, c.y));
        EXPECT_EQ(state.drag_x, c.drag_x) << c.where;
        EXPECT_EQ(state.drag_y, c.drag_y) << c.where;
        EXPECT_TRUE(state.is_dragging);
    }
}

TEST_F(DragDrop, TheDropZoneLightsExactlyWhileTheCarriedBoxIsLowEnough) {
    frame(pressAt(625, 325));
    struct Case {
        int pointer_y;
        float drag_y;
        bool lit;
    };
    const Case cases[] = {{259, 234.0f, false},
                          {260, 235.0f, true},
                          {300, 275.0f, true},
                          {400, 300.0f, true},
                          {100, 75.0f, false}};
    for (const Case& c : cases) {
        for (int x : {0, 545, 720, 2000}) {  // the centre is always within the zone's columns
            frame(holdAt(x, c.pointer_y));
            ASSERT_EQ(state.drag_y, c.drag_y);
            EXPECT_EQ(dropOutline(), c.lit ? theme.accent : theme.panel_border)
                << "pointer " << x << ", " << c.pointer_y;
        }
    }
}

TEST_F(DragDrop, LettingGoOverTheZoneLeavesTheBoxAndDimsTheZoneAtOnce) {
    frame(pressAt(625, 325));
    frame(holdAt(640, 300));
    EXPECT_EQ(dropOutline(), theme.accent);
    frame(releaseAt(700, 100));  // the release frame moves nothing
    EXPECT_FALSE(state.is_dragging);
    EXPECT_EQ(state.drag_x, 615.0f);
    EXPECT_EQ(state.drag_y, 275.0f);
    EXPECT_EQ(dropOutline(), theme.panel_border);
    frame(holdAt(700, 100));  // a held button after the drop carries nothing
    EXPECT_EQ(state.drag_x, 615.0f);
}

TEST_F(DragDrop, CarryingTheBoxOverASliderTrackMovesThatSliderToo) {
    // The sliders follow any held button, whatever the press began.
    frame(pressAt(625, 325));
    frame(holdAt(300, 130));
    EXPECT_TRUE(state.is_dragging);
    EXPECT_EQ(state.drag_x, 520.0f);
    EXPECT_EQ(state.slider2_val, 0.2f);
}

TEST_F(DragDrop, DrawsTheRestingBoxUnderTheZone) {
    gui_demo::drawDragDrop(state, theme);
    const std::vector<Call> expected = {
        rect(520, 50, 220, 310, theme.panel_bg),
        rectLines(520, 50, 220, 310, theme.panel_border),
        text("Drag & Drop", 530, 56, 16, theme.accent),
        rectLines(520, 70, 200, 280, theme.panel_border),
        rect(600, 300, 50, 50, theme.btn_normal),
        rectLines(600, 300, 50, 50, theme.panel_border),
        text("DRAG", 606, 316, 14, theme.btn_text),
        rect(540, 260, 180, 80, Color{18, 20, 28, 200}),
        rectLines(540, 260, 180, 80, theme.panel_border),  // resting: never lit
        text("Drop Zone", 580, 290, 16, theme.text_secondary),
    };
    EXPECT_EQ(calls(), expected);
}
