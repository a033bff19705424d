#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "demo_fixture.h"

using namespace fake;

namespace {

class TextInput : public DemoFrames {
protected:
    // A frame with the pointer resting away from every widget, with these typed code points.
    static Input typing(std::initializer_list<int> chars, bool backspace = false,
                        bool enter = false) {
        Input in = at(1100, 200);
        int i = 0;
        for (int c : chars) in.chars[i++] = c;
        in.backspace = backspace;
        in.enter = enter;
        return in;
    }

    void focus() {
        frame(pressAt(800, 80));
        ASSERT_TRUE(state.input_active);
    }

    void setText(const std::string& s) {
        std::memset(state.input_text, 0, sizeof state.input_text);
        std::memcpy(state.input_text, s.data(), s.size());
        state.input_len = s.size();
    }

    std::string text() const {
        return std::string(reinterpret_cast<const char*>(state.input_text), state.input_len);
    }

    // The invariant every change keeps: a zero byte from input_len to the end of the array.
    void expectZeroTail() const {
        ASSERT_LE(state.input_len, 63u);
        for (std::size_t i = state.input_len; i < sizeof state.input_text; ++i) {
            ASSERT_EQ(state.input_text[i], 0) << "byte " << i;
        }
    }
};

}  // namespace

TEST_F(TextInput, APressInsideTheFieldFocusesItAndAnywhereElseUnfocuses) {
    struct Case {
        int x, y;
        bool inside;
    };
    const Case cases[] = {{760, 70, true},   {999, 105, true}, {1000, 80, false},
                          {800, 106, false}, {759, 80, false}, {800, 69, false}};
    for (const Case& c : cases) {
        for (bool was_active : {false, true}) {
            state.input_active = was_active;
            frame(pressAt(c.x, c.y));
            EXPECT_EQ(state.input_active, c.inside) << c.x << ", " << c.y;
        }
    }
}

TEST_F(TextInput, HoldingOrReleasingTheButtonDoesNotChangeFocus) {
    focus();
    frame(holdAt(100, 600));
    frame(releaseAt(100, 600));
    EXPECT_TRUE(state.input_active);
}

TEST_F(TextInput, TypingKeepsPrintableAsciiOnly) {
    focus();
    setText("");
    frame(typing({32, 126, 127, 233, 10, 9, 31, 0x1F600, -5, 'a'}));
    EXPECT_EQ(text(), " ~a");
    EXPECT_EQ(pendingChars(), 0) << "the queue is always emptied";
    expectZeroTail();
}

TEST_F(TextInput, ThreeCharactersInOneFrameAtSixtyTwoKeepOnlyTheFirst) {
    focus();
    setText(std::string(62, 'x'));
    frame(typing({'a', 'b', 'c'}));
    EXPECT_EQ(text(), std::string(62, 'x') + "a");
    EXPECT_EQ(state.input_text[63], 0);
    EXPECT_EQ(pendingChars(), 0);
    expectZeroTail();
}

TEST_F(TextInput, BackspaceRemovesTheLastCharacterAndNothingOnEmptyText) {
    focus();
    setText("ab");
    frame(typing({}, true));
    EXPECT_EQ(text(), "a");
    expectZeroTail();
    frame(typing({}, true));
    frame(typing({}, true));
    EXPECT_EQ(state.input_len, 0u);
    expectZeroTail();
}

TEST_F(TextInput, ACharacterAndBackspaceInOneFrameCancelOut) {
    focus();
    frame(typing({'!'}, true));
    EXPECT_EQ(text(), "Zelkor Engine");
    expectZeroTail();
}

TEST_F(TextInput, CharactersAndEnterInOneFrameAreKeptThenFocusEnds) {
    focus();
    frame(typing({'!', '?'}, false, true));
    EXPECT_EQ(text(), "Zelkor Engine!?");
    EXPECT_FALSE(state.input_active);
}

TEST_F(TextInput, APressInsideTakesThatFramesCharacters) {
    Input in = pressAt(800, 80);
    in.chars[0] = 'Z';
    frame(in);
    EXPECT_EQ(text(), "Zelkor EngineZ");
}

TEST_F(TextInput, APressOutsideWhileTypingDropsThatFramesKeys) {
    focus();
    Input in = pressAt(100, 600);
    in.chars[0] = 'Z';
    in.backspace = true;
    frame(in);
    EXPECT_FALSE(state.input_active);
    EXPECT_EQ(text(), "Zelkor Engine");
    EXPECT_EQ(pendingChars(), 1) << "without focus the queue is not read";
}

TEST_F(TextInput, WithoutFocusNoKeyIsRead) {
    frame(typing({'a'}, true, true));
    EXPECT_EQ(text(), "Zelkor Engine");
    EXPECT_FALSE(state.input_active);
    EXPECT_EQ(pendingChars(), 1);
}

TEST_F(TextInput, DrawsTheInitialPanel) {
    gui_demo::drawTextInput(state, true, theme);
    std::vector<Call> expected = {
        rect(750, 50, 260, 310, theme.panel_bg),
        rectLines(750, 50, 260, 310, theme.panel_border),
        fake::text("Text & Animation", 760, 56, 16, theme.accent),
        fake::text("Name:", 760, 52, 14, theme.text_secondary),
        rect(760, 70, 240, 36, theme.input_bg),
        rectLines(760, 70, 240, 36, theme.input_border),
        fake::text("Zelkor Engine", 768, 79, 18, theme.text_primary),
        fake::text("Zelkor Engine Components:", 760, 120, 16, theme.text_primary),
    };
    const char* const lines[] = {
        "  Transform2d  (anchor+offset)",   "  Layout       (grid+stack)",
        "  Canvas       (element tree)",    "  Draw2d       (quad+line+text)",
        "  Interactable (state machine)",   "  Button       (click+action)",
        "  Image        (sprite+slicing)",  "  Text         (font+overflow)",
        "  Scroll       (slider+momentum)", "  Animation    (tween+curve)",
        "  Navigation   (tab+arrow)",       "  DragDrop     (source+target)",
        "  Render       (graph+alpha)",
    };
    for (int k = 0; k < 13; ++k) {
        expected.push_back(fake::text(lines[k], 760, 142 + 16 * k, 14, theme.text_secondary));
        EXPECT_EQ(std::strchr(lines[k], '(') - lines[k], 15) << "descriptions share a column";
    }
    EXPECT_EQ(calls(), expected);
}

TEST_F(TextInput, TheFocusedFieldShowsItsCursorAfterTheText) {
    focus();
    fake::clearCalls();
    gui_demo::drawTextInput(state, true, theme);
    // 13 characters at 10 px each in the stand-in.
    EXPECT_EQ(colorAt(Op::DrawRectangleLines, 760, 70), theme.input_active_border);
    EXPECT_EQ(callsOf(Op::DrawLine).at(0), line(898, 76, 898, 100, theme.accent));
    fake::clearCalls();
    gui_demo::drawTextInput(state, false, theme);
    EXPECT_TRUE(callsOf(Op::DrawLine).empty()) << "blinked off";
}
