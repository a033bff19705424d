#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

#include "calls.h"
#include "distinct_theme.h"
#include "widgets/widgets.h"

using namespace fake;

namespace {

class Widgets : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    const Theme theme = distinctTheme();
};

constexpr Color white = {255, 255, 255, 255};

}  // namespace

TEST(ThemeDefaults, HoldsThePalette) {
    const Theme t = Theme::defaults();
    struct Row {
        Color actual, expected;
    };
    const Row rows[] = {
        {t.bg, {12, 12, 18, 255}},
        {t.panel_bg, {22, 24, 32, 240}},
        {t.panel_border, {50, 55, 70, 255}},
        {t.text_primary, {220, 225, 235, 255}},
        {t.text_secondary, {140, 145, 160, 255}},
        {t.accent, {80, 180, 255, 255}},
        {t.btn_normal, {40, 44, 55, 255}},
        {t.btn_hover, {55, 60, 75, 255}},
        {t.btn_pressed, {80, 180, 255, 255}},
        {t.btn_text, {220, 225, 235, 255}},
        {t.slider_track, {35, 38, 48, 255}},
        {t.slider_fill, {60, 140, 220, 255}},
        {t.slider_handle, {80, 180, 255, 255}},
        {t.checkbox_empty, {50, 55, 70, 255}},
        {t.checkbox_checked, {80, 180, 255, 255}},
        {t.scroll_track, {30, 33, 42, 255}},
        {t.scroll_handle, {70, 75, 90, 255}},
        {t.input_bg, {18, 20, 28, 255}},
        {t.input_border, {50, 55, 70, 255}},
        {t.input_active_border, {80, 180, 255, 255}},
    };
    static_assert(sizeof(Theme) == 20 * sizeof(Color), "the palette holds exactly 20 colours");
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_TRUE(rows[i].actual == rows[i].expected) << "field " << i + 1;
    }
}

TEST_F(Widgets, PanelIsAFillUnderAnOutline) {
    drawPanel(10, 50, 230, 310, theme);
    EXPECT_EQ(calls(), (std::vector<Call>{rect(10, 50, 230, 310, theme.panel_bg),
                                          rectLines(10, 50, 230, 310, theme.panel_border)}));
}

TEST_F(Widgets, ButtonFillFollowsItsStateAndTheOutlineNever) {
    struct Case {
        bool hover, pressed;
        Color fill;
    };
    const Case cases[] = {
        {false, false, theme.btn_normal},
        {true, false, theme.btn_hover},
        {true, true, theme.btn_pressed},
        {false, true, theme.btn_pressed},  // a press dragged off the button still looks pressed
    };
    for (const Case& c : cases) {
        reset();
        drawButton(30, 70, 180, 40, "Click Me", c.hover, c.pressed, theme);
        // "Click Me" measures 80 px: (180 - 80) / 2 = 50 in, and (40 - 18) / 2 = 11 down.
        EXPECT_EQ(calls(),
                  (std::vector<Call>{
                      rect(30, 70, 180, 40, c.fill), rectLines(30, 70, 180, 40, theme.panel_border),
                      measure("Click Me", 18), text("Click Me", 80, 81, 18, theme.btn_text)}))
            << "hover " << c.hover << ", pressed " << c.pressed;
    }
}

TEST_F(Widgets, ButtonLabelIsCentredByItsMeasuredWidth) {
    struct Case {
        int w;
        int label_x;
    };
    const Case cases[] = {
        {180, 70},  // a 100 px label on the demo's button
        {95, 28},   // 5 px wider than the button: -5 / 2 truncates to -2, not -3
        {99, 30},   // 1 px wider: -1 / 2 is 0
    };
    for (const Case& c : cases) {
        reset();
        drawButton(30, 70, c.w, 40, "0123456789", false, false, theme);
        const std::vector<Call> texts = callsOf(Op::DrawText);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].a, c.label_x) << "button width " << c.w;
        EXPECT_EQ(texts[0].b, 81);
    }
}

TEST_F(Widgets, CheckedCheckboxDrawsTheTickUnderItsBorder) {
    drawCheckbox(30, 130, 22, true, false, theme);
    EXPECT_EQ(calls(),
              (std::vector<Call>{rect(30, 130, 22, 22, theme.checkbox_checked),
                                 line(34, 141, 37, 147, white), line(37, 147, 48, 134, white),
                                 rectLines(30, 130, 22, 22, theme.panel_border)}));
}

TEST_F(Widgets, UncheckedCheckboxHasNoTickAndHoverLightsTheBorder) {
    drawCheckbox(30, 165, 22, false, true, theme);
    EXPECT_EQ(calls(), (std::vector<Call>{rect(30, 165, 22, 22, theme.checkbox_empty),
                                          rectLines(30, 165, 22, 22, theme.accent)}));
}

TEST_F(Widgets, RadioButtonIsARingWithADotWhenSelected) {
    struct Case {
        bool selected, hover;
        std::vector<Call> expected;
    };
    const Case cases[] = {
        {false, false, {circleLines(41, 281, 11.0f, theme.panel_border)}},
        {false, true, {circleLines(41, 281, 11.0f, theme.accent)}},
        {true,
         false,
         {circleLines(41, 281, 11.0f, theme.panel_border), circle(41, 281, 7.0f, theme.accent)}},
    };
    for (const Case& c : cases) {
        reset();
        drawRadioButton(30, 270, 11, c.selected, c.hover, theme);
        EXPECT_EQ(calls(), c.expected) << "selected " << c.selected << ", hover " << c.hover;
    }
}

TEST_F(Widgets, SliderFillIsTruncatedNotRounded) {
    struct Case {
        float val;
        int fill_w;
    };
    const Case cases[] = {{0.0f, 0},   {1.0f, 200}, {0.999f, 199},
                          {0.25f, 50}, {0.5f, 100}, {0.75f, 150}};
    for (const Case& c : cases) {
        reset();
        drawSlider(260, 70, 200, 24, c.val, theme);
        // Track and fill a third of the height tall, a third down; the handle overhangs by 2 px.
        EXPECT_EQ(calls(),
                  (std::vector<Call>{rect(260, 78, 200, 8, theme.slider_track),
                                     rect(260, 78, c.fill_w, 8, theme.slider_fill),
                                     circle(260 + c.fill_w, 82, 14.0f, theme.slider_handle)}))
            << "val " << c.val;
    }
}

TEST_F(Widgets, ScrollHandleNeverLeavesItsTrack) {
    struct Case {
        float offset;
        int handle_top;
    };
    // 280 px track, 0.3 of it visible: an 84 px handle whose top stops at 196.
    const Case cases[] = {{-1.0f, 0},  {0.0f, 0},   {0.5f, 140}, {0.7f, 196},
                          {0.9f, 196}, {1.0f, 196}, {5.0f, 196}};
    for (const Case& c : cases) {
        reset();
        drawScrollBar(470, 70, 20, 280, c.offset, 0.3f, theme);
        EXPECT_EQ(calls(),
                  (std::vector<Call>{rect(470, 70, 20, 280, theme.scroll_track),
                                     rect(472, 70 + c.handle_top, 16, 84, theme.scroll_handle)}))
            << "offset " << c.offset;
    }
}

TEST_F(Widgets, ScrollHandleSizeFollowsTheContentRatio) {
    struct Case {
        float offset, ratio;
        int handle_top, handle_h;
    };
    const Case cases[] = {
        {0.5f, 1.0f, 0, 280},  // everything visible: the handle fills the track
        {0.5f, 0.0f, 140, 0},  // nothing visible: a handle of no height
    };
    for (const Case& c : cases) {
        reset();
        drawScrollBar(470, 70, 20, 280, c.offset, c.ratio, theme);
        EXPECT_EQ(calls().back(), rect(472, 70 + c.handle_top, 16, c.handle_h, theme.scroll_handle))
            << "ratio " << c.ratio;
    }
}

TEST_F(Widgets, InputFieldTextPlaceholderAndCursor) {
    struct Case {
        const char* name;
        const char* text;
        bool active, cursor_visible;
        std::vector<Call> after_frame;  // what follows the fill and the outline
    };
    const Case cases[] = {
        {"empty, unfocused: placeholder and no cursor",
         "",
         false,
         true,
         {text("Type here...", 768, 79, 18, theme.text_secondary)}},
        {"empty, focused: no text, cursor at the left",
         "",
         true,
         true,
         {line(768, 76, 768, 100, theme.accent)}},
        {"empty, focused, blinked off: nothing", "", true, false, {}},
        {"text, unfocused: no cursor",
         "abc",
         false,
         true,
         {text("abc", 768, 79, 18, theme.text_primary)}},
        {"text, focused: cursor after the measured text",
         "abc",
         true,
         true,
         {text("abc", 768, 79, 18, theme.text_primary), measure("abc", 18),
          line(798, 76, 798, 100, theme.accent)}},
    };
    for (const Case& c : cases) {
        reset();
        drawInputField(760, 70, 240, 36, c.text, std::strlen(c.text), c.active, c.cursor_visible,
                       theme);
        std::vector<Call> expected = {
            rect(760, 70, 240, 36, theme.input_bg),
            rectLines(760, 70, 240, 36, c.active ? theme.input_active_border : theme.input_border)};
        expected.insert(expected.end(), c.after_frame.begin(), c.after_frame.end());
        EXPECT_EQ(calls(), expected) << c.name;
    }
}

TEST_F(Widgets, InputFieldCopiesExactlyTheGivenBytes) {
    // The caller's bytes need no terminator: only text_len of them are drawn.
    const char unterminated[8] = {'H', 'e', 'l', 'l', 'o', 'X', 'X', 'X'};
    drawInputField(760, 70, 240, 36, unterminated, 5, true, true, theme);
    EXPECT_STREQ(callsOf(Op::DrawText).at(0).text, "Hello");
    EXPECT_STREQ(callsOf(Op::MeasureText).at(0).text, "Hello");
    EXPECT_EQ(callsOf(Op::DrawLine).at(0).a, 768 + 50);
}

TEST_F(Widgets, InputFieldDrawsAtMostSixtyFourBytes) {
    const std::string full(64, 'a');
    const std::string longer(100, 'b');
    drawInputField(760, 70, 240, 36, full.c_str(), full.size(), false, false, theme);
    drawInputField(760, 70, 240, 36, longer.c_str(), longer.size(), false, false, theme);
    drawInputField(760, 70, 240, 36, nullptr, 3, false, false, theme);
    const std::vector<Call> texts = callsOf(Op::DrawText);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, full);  // a full 64-byte text is drawn whole
    EXPECT_EQ(texts[1].text, std::string(64, 'b'));
    EXPECT_STREQ(texts[2].text, "Type here...");  // no bytes at all reads as empty
}

TEST_F(Widgets, HostileFractionsSaturateInsteadOfOverflowing) {
    struct Case {
        const char* name;
        float val;
        int fill_w, handle_x;
    };
    const Case cases[] = {
        {"NaN fills nothing", NAN, 0, 260},
        {"a huge fraction saturates", 1e30f, INT_MAX, INT_MAX},
        {"a huge negative fraction saturates", -1e30f, INT_MIN, INT_MIN + 260},
        {"infinity saturates", INFINITY, INT_MAX, INT_MAX},
    };
    for (const Case& c : cases) {
        reset();
        drawSlider(260, 70, 200, 24, c.val, theme);
        const std::vector<Call> rects = callsOf(Op::DrawRectangle);
        EXPECT_EQ(rects.at(1).c, c.fill_w) << c.name;
        EXPECT_EQ(callsOf(Op::DrawCircle).at(0).a, c.handle_x) << c.name;
    }
}

TEST_F(Widgets, ScrollBarWithNoRoomOrNoNumberKeepsItsHandleAtTheTop) {
    struct Case {
        const char* name;
        float offset, ratio;
        int handle_h;
    };
    const Case cases[] = {
        {"ratio above 1", 0.5f, 2.0f, 560},
        {"NaN offset", NAN, 0.3f, 84},
        {"NaN ratio", 0.0f, NAN, 0},
        {"infinite ratio", 0.5f, INFINITY, INT_MAX},
    };
    for (const Case& c : cases) {
        reset();
        drawScrollBar(470, 70, 20, 280, c.offset, c.ratio, theme);
        EXPECT_EQ(calls().back(), rect(472, 70, 16, c.handle_h, theme.scroll_handle)) << c.name;
    }
}
