// What screen readers are told after each frame: the change list, for a hand's input played into
// the real frame, and for a reader's own actions (which come back as that input).
#include <gtest/gtest.h>

#include <string>

#include "demo_fixture.h"
#include "fake_platform.h"
#include "gui_demo/hand_input.h"
#include "gui_demo/screen_changes.h"

using gui_demo::ScreenChangeKind;

namespace {

class ScreenChanges : public DemoFrames {
protected:
    void SetUp() override {
        DemoFrames::SetUp();
        fake::resetPlatform();
        frame(at(1100, 700));
        gui_demo::describeScreen(state, clock, now);
        gui_demo::startTracking(tracker, now, true, clock.t);
    }

    // A frame of this input, then the list, one change a word: "kind:node name[:detail]".
    std::string after(const fake::Input& in, bool window_active = true) {
        frame(in);
        gui_demo::describeScreen(state, clock, now);
        gui_demo::trackScreen(tracker, now, window_active, clock.t);
        // Built by appending: GCC 12 at -O2 warns wrongly (-Wrestrict) on ":" + a string.
        std::string words;
        for (int k = 0; k < tracker.count; ++k) {
            const gui_demo::ScreenChange& c = tracker.changes[k];
            words += words.empty() ? "" : " ";
            words += gui_demo::changeKindName(c.kind);
            if (c.node >= 0) {
                words += ':';
                words += gui_demo::nameOf(now.nodes[c.node]);
            }
            if (c.kind == ScreenChangeKind::text_removed ||
                c.kind == ScreenChangeKind::text_inserted) {
                words += ':';
                words += std::to_string(c.offset);
                words += '+';
                words += std::to_string(c.length);
            }
            if (c.kind == ScreenChangeKind::checked || c.kind == ScreenChangeKind::pressed ||
                c.kind == ScreenChangeKind::window_active)
                words += c.on ? ":on" : ":off";
        }
        return words;
    }

    static fake::Input typed(int c, bool backspace = false) {
        fake::Input in = at(1100, 700);
        in.chars[0] = c;
        in.backspace = backspace;
        return in;
    }

    gui_demo::ScreenDescription now;
    gui_demo::ScreenTracker tracker;
};

TEST_F(ScreenChanges, EachKindOfChangeIsListedOnceInTheFrameItIsDrawn) {
    struct Step {
        const char* what;
        fake::Input in;
        const char* told;
    };
    const Step steps[] = {
        {"nothing happens", at(1100, 700), ""},
        {"a box ticked", pressAt(41, 141),
         "checked:Projective Geometry:on focus:Projective Geometry"},
        {"the release", releaseAt(41, 141), ""},
        {"another radio item", pressAt(41, 316),
         "checked:Wireframe:off checked:Solid:on focus:Solid"},
        {"the button pressed", pressAt(100, 90), "description:Click Me focus:Click Me"},
        {"a slider set", pressAt(300, 80), "value:Rotation Speed focus:Rotation Speed"},
        {"the box picked up", pressAt(625, 325), "pressed:DRAG:on description:DRAG focus:DRAG"},
        {"carried", holdAt(700, 400), "bounds:DRAG"},
        {"let go", releaseAt(700, 400), "pressed:DRAG:off description:DRAG"},
        {"the field clicked", pressAt(780, 85), "focus:Name:"},
        {"a letter typed", typed('X'), "text_inserted:Name::13+1"},
        {"Backspace", typed(0, true), "text_removed:Name::13+1"},
        {"the window left", at(1100, 700), "window_active:off"},
    };
    for (const Step& s : steps) {
        const bool active = std::string(s.what) != "the window left";
        EXPECT_EQ(after(s.in, active), s.told) << s.what;
        if (std::string(s.what) == "the button pressed") after(releaseAt(100, 90));
        if (std::string(s.what) == "a slider set") after(releaseAt(300, 80));
    }
}

TEST_F(ScreenChanges, TheReadoutIsRenamedAtMostOnceASecond) {
    int names = 0;
    for (int k = 0; k < 150; ++k) {  // two and a half seconds
        const std::string told = after(at(1100, 700));
        names += told.find("name:FPS") != std::string::npos;
    }
    EXPECT_EQ(names, 2);
}

TEST_F(ScreenChanges, AReadersActionFocusesTheWidgetAndComesBackAsAHandsClick) {
    int box = -1;
    for (int i = 0; i < now.count; ++i) {
        if (std::string(now.nodes[i].name) == "Archetype Algebra") box = i;
    }
    ASSERT_GE(box, 0);
    ASSERT_TRUE(gui_demo::actForReader(tracker, box));
    EXPECT_FALSE(gui_demo::actForReader(tracker, 0)) << "the title has no action";
    EXPECT_FALSE(gui_demo::focusForReader(tracker, 0)) << "nor takes the focus";
    // The click the pointer makes, then the pointer put back where the real one is (0, 0).
    const auto& made = fake::platform().hand_input;
    ASSERT_EQ(made.size(), 4u);
    EXPECT_EQ(made[0].x, now.nodes[box].press.x);
    EXPECT_EQ(made[1].action, gui_demo::pacing_press);
    EXPECT_EQ(made[2].action, gui_demo::pacing_release);
    EXPECT_EQ(made[3].x, 0.0);
    // The reader's focus is on the widget before the click is drawn.
    EXPECT_EQ(after(at(1100, 700)), "focus:Archetype Algebra");
}

// A reader's edits, played as the input they made, one event a frame, with the list taken after
// each as the bridges take it.
class ReaderEdits : public ScreenChanges {
protected:
    int field() const {
        for (int i = 0; i < now.count; ++i) {
            if (now.nodes[i].role == gui_demo::ScreenRole::text_field) return i;
        }
        return -1;
    }

    // Plays what the edits queued, and returns the field's text once it is typed.
    std::string typed() {
        auto& made = fake::platform().hand_input;
        int x = 1100, y = 700;
        for (std::size_t k = 0; k < made.size(); ++k) {
            const gui_demo::PacedEvent e = made[k];
            fake::Input in = at(x, y);
            switch (e.kind) {
                case gui_demo::PacedEvent::Kind::move:
                    x = static_cast<int>(e.x), y = static_cast<int>(e.y);
                    in = at(x, y);
                    break;
                case gui_demo::PacedEvent::Kind::button:
                    in = e.action == gui_demo::pacing_press ? pressAt(x, y) : releaseAt(x, y);
                    break;
                case gui_demo::PacedEvent::Kind::key:
                    in.backspace = e.action == gui_demo::pacing_press;
                    break;
                case gui_demo::PacedEvent::Kind::character:
                    in.chars[0] = e.code;
                    break;
            }
            after(in);
        }
        made.clear();
        return now.nodes[field()].text;
    }
};

TEST_F(ReaderEdits, EachEditAppliesToTheTextAsItWillBeAndIsCutBeforeAnythingIsQueued) {
    const int f = field();
    ASSERT_GE(f, 0);
    // Two edits in a row, the second made before the first is typed.
    ASSERT_TRUE(gui_demo::deleteTextForReader(tracker, f, 0, 7));  // "Zelkor "
    ASSERT_TRUE(gui_demo::insertTextForReader(tracker, f, 0, "Foo ", 4));
    EXPECT_STREQ(gui_demo::editedText(tracker, f), "Foo Engine");
    EXPECT_EQ(typed(), "Foo Engine");
    ASSERT_TRUE(gui_demo::replaceTextForReader(tracker, f, "X", 1));
    ASSERT_TRUE(gui_demo::replaceTextForReader(tracker, f, "Y", 1));
    EXPECT_EQ(typed(), "Y");
    // 300 "é" and "abc": the program keeps "abc", so only that is typed; a huge text brings no
    // more than the field can hold.
    std::string long_text;
    for (int k = 0; k < 300; ++k) long_text += "\u00e9";
    long_text += "abc";
    ASSERT_TRUE(gui_demo::replaceTextForReader(tracker, f, long_text.data(), long_text.size()));
    EXPECT_LE(fake::platform().hand_input.size(), 8u) << "a Backspace and three characters";
    EXPECT_EQ(typed(), "abc");
    const std::string huge(1 << 20, 'z');
    ASSERT_TRUE(gui_demo::replaceTextForReader(tracker, f, huge.data(), huge.size()));
    EXPECT_LE(fake::platform().hand_input.size(), 2u * 3 + 63u);
    EXPECT_EQ(typed(), std::string(63, 'z'));
    EXPECT_FALSE(gui_demo::replaceTextForReader(tracker, 0, "x", 1)) << "the title is no field";
}

TEST_F(ReaderEdits, NothingIsMadeWhileAHandHoldsTheButton) {
    fake::platform().hand_holds = true;
    int button = -1, slider = -1;
    for (int i = 0; i < now.count; ++i) {
        if (now.nodes[i].role == gui_demo::ScreenRole::button) button = i;
        if (now.nodes[i].role == gui_demo::ScreenRole::slider) slider = i;
    }
    EXPECT_FALSE(gui_demo::actForReader(tracker, button));
    EXPECT_FALSE(gui_demo::setValueForReader(tracker, slider, 0.5));
    EXPECT_FALSE(gui_demo::replaceTextForReader(tracker, field(), "x", 1)) << "it needs a click";
    EXPECT_TRUE(fake::platform().hand_input.empty());
}

TEST_F(ScreenChanges, ANodeAddedOrRemovedIsListedAndTheCountFollows) {
    gui_demo::ScreenDescription fewer = now;
    fewer.count -= 1;
    gui_demo::trackScreen(tracker, fewer, true, clock.t);
    ASSERT_EQ(tracker.count, 1);
    EXPECT_EQ(tracker.changes[0].kind, ScreenChangeKind::node_removed);
    EXPECT_EQ(tracker.told.count, now.count - 1);
    gui_demo::trackScreen(tracker, now, true, clock.t);
    ASSERT_EQ(tracker.count, 1);
    EXPECT_EQ(tracker.changes[0].kind, ScreenChangeKind::node_added);
    EXPECT_EQ(tracker.changes[0].node, now.count - 1);
}

TEST(ScreenDescriptionCapacity, ANodePastTheCapacityIsDroppedAndSaysSo) {
    gui_demo::ScreenDescription d;
    for (int i = 0; i < gui_demo::max_screen_nodes; ++i) {
        gui_demo::addScreenNode(d, gui_demo::ScreenRole::text, "kept");
    }
    EXPECT_FALSE(d.overflowed);
    gui_demo::addScreenNode(d, gui_demo::ScreenRole::button, "one too many");
    EXPECT_TRUE(d.overflowed);
    EXPECT_EQ(d.count, gui_demo::max_screen_nodes);
    EXPECT_STREQ(d.nodes[d.count - 1].name, "kept");
}

}  // namespace
