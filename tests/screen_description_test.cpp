// The screen in words: what a screen reader is told matches what is drawn, and a press where the
// description says a widget is operates that very widget.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "demo_fixture.h"
#include "first_screen.h"
#include "gui_demo/screen_changes.h"

using namespace fake;
using gui_demo::isWidget;
using gui_demo::roleName;
using gui_demo::ScreenNode;
using gui_demo::ScreenRole;

namespace {

class ScreenDescription : public DemoFrames {
protected:
    gui_demo::ScreenDescription description;

    const gui_demo::ScreenDescription& describe() {
        gui_demo::describeScreen(state, clock, description);
        return description;
    }

    // The node of the widget with this name, as the screen now stands.
    const ScreenNode& widget(const std::string& name) {
        describe();
        for (int i = 0; i < description.count; ++i) {
            const ScreenNode& n = description.nodes[i];
            if (isWidget(n.role) && name == n.name) return n;
        }
        ADD_FAILURE() << "no widget named " << name;
        return description.nodes[0];
    }

    // A hand's click: pressed in one frame, let go in the next.
    void click(gui_demo::ScreenPoint p) {
        frame(pressAt(p.x, p.y));
        frame(releaseAt(p.x, p.y));
    }
};

}  // namespace

TEST_F(ScreenDescription, NamesTheThirteenWidgetsInScreenOrderWithTheirHitRectanglesAndState) {
    const auto expected = first_screen::widgets(GUI_DEMO_TEST_DATA "/first_screen_widgets.tsv");
    ASSERT_EQ(expected.size(), 13u);
    frame(at(1100, 200));
    describe();
    ASSERT_LT(description.count, gui_demo::max_screen_nodes) << "room to spare, nothing cut";
    ASSERT_FALSE(description.overflowed);
    std::size_t next = 0;
    for (int i = 0; i < description.count; ++i) {
        const ScreenNode& n = description.nodes[i];
        if (!isWidget(n.role)) continue;
        ASSERT_LT(next, std::size(expected)) << "an extra widget: " << n.name;
        const first_screen::Widget& e = expected[next++];
        EXPECT_EQ(std::string(roleName(n.role)), e.kind) << e.name;
        EXPECT_EQ(n.name, e.name);
        EXPECT_EQ(n.rect.x, e.x) << e.name;
        EXPECT_EQ(n.rect.y, e.y) << e.name;
        EXPECT_EQ(n.rect.w, e.w) << e.name;
        EXPECT_EQ(n.rect.h, e.h) << e.name;
        EXPECT_EQ(n.checked, e.checked) << e.name;
        EXPECT_EQ(n.text, e.text) << e.name;
        if (!e.value.empty()) {
            EXPECT_EQ(n.value, std::stof(e.value)) << e.name;
        }
        EXPECT_FALSE(n.focused) << e.name;
        if (n.role == ScreenRole::radio_button) {
            ASSERT_GE(n.parent, 0);
            EXPECT_EQ(description.nodes[n.parent].role, ScreenRole::radio_group);
            EXPECT_STREQ(description.nodes[n.parent].name, "Render Mode:");
        }
    }
    EXPECT_EQ(next, std::size(expected));
    const ScreenNode& box = widget("DRAG");
    EXPECT_TRUE(box.over_drop_zone) << "it starts with its centre (625, 325) in the zone";
    EXPECT_FALSE(box.carried);
}

TEST_F(ScreenDescription, ReadsTheTextsInScreenOrderWithTheListsWholeAsDrawn) {
    frame(at(1100, 200));
    describe();
    std::string headings, lists;
    int log_lines = 0, components = 0, modules = 0;
    for (int i = 0; i < description.count; ++i) {
        const ScreenNode& n = description.nodes[i];
        if (n.role == ScreenRole::heading) headings += std::string(n.name) + "|";
        if (n.role == ScreenRole::list) lists += std::string(n.name) + "|";
        if (n.role != ScreenRole::list_item) continue;
        const std::string parent = description.nodes[n.parent].name;
        log_lines += parent == "Log Output:";
        components += parent == "Zelkor Engine Components:";
        modules += parent.empty();
    }
    EXPECT_EQ(headings,
              "ZELKOR ENGINE — O3DE LyShine GUI Components Demo|Interactables|Scroll & Slider|"
              "Drag & Drop|Text & Animation|Animation Preview (O3DE UiAnimation)|"
              "Zelkor Math Modules|");
    EXPECT_EQ(lists, "Log Output:|Zelkor Engine Components:||");
    EXPECT_EQ(log_lines, 8) << "only the eight lines drawn, not the twelve kept";
    EXPECT_EQ(components, 13);
    EXPECT_EQ(modules, 8);
    EXPECT_STREQ(description.nodes[1].text, "FPS: 0 | Time: 0.0s") << "the readout as drawn";
    EXPECT_EQ(
        std::string(description.nodes[description.count - 1].name).rfind("Zelkor Engine — ", 0), 0u)
        << "the footers come last";
}

TEST_F(ScreenDescription, EveryTextLiesWhereItIsDrawnAndEveryGroupOverItsParts) {
    frame(at(1100, 700));
    const std::vector<Call> drawn = callsOf(Op::DrawText);
    describe();
    for (int i = 0; i < description.count; ++i) {
        const ScreenNode& n = description.nodes[i];
        EXPECT_GT(n.rect.w * n.rect.h, 0)
            << "node " << i << " " << gui_demo::nameOf(n) << ": a place for review and hit tests";
        if (n.role != ScreenRole::heading && n.role != ScreenRole::text &&
            n.role != ScreenRole::list_item)
            continue;
        // The one DrawText call of these words: at the rectangle's corner, in its height.
        const std::string words = gui_demo::nameOf(n);
        int found = 0;
        for (const Call& c : drawn) {
            if (words != c.text) continue;
            found += 1;
            EXPECT_EQ(c.a, n.rect.x) << words;
            EXPECT_EQ(c.b, n.rect.y) << words;
            EXPECT_EQ(c.c, n.rect.h) << words;
            EXPECT_EQ(MeasureText(c.text, c.c), n.rect.w) << words;
        }
        EXPECT_EQ(found, 1) << words;
    }
    // A list, and the radio group, hold each of their parts.
    for (int i = 0; i < description.count; ++i) {
        const int p = description.nodes[i].parent;
        if (p < 0) continue;
        const gui_demo::ScreenRect inner = description.nodes[i].rect;
        const gui_demo::ScreenRect outer = description.nodes[p].rect;
        EXPECT_TRUE(inner.x >= outer.x && inner.y >= outer.y &&
                    inner.x + inner.w <= outer.x + outer.w &&
                    inner.y + inner.h <= outer.y + outer.h)
            << gui_demo::nameOf(description.nodes[i]) << " within its group";
    }
}

TEST_F(ScreenDescription, APressWhereItSaysOperatesThatWidgetAndTheDescriptionFollows) {
    click(widget("Click Me").press);
    EXPECT_STREQ(widget("Click Me").text, "Clicks: 1");

    for (const char* name : {"Projective Geometry", "Dual Quaternions", "Archetype Algebra"}) {
        const bool before = widget(name).checked;
        click(widget(name).press);
        EXPECT_NE(widget(name).checked, before) << name;
    }

    for (const char* name : {"Instanced", "Solid", "Wireframe"}) {
        click(widget(name).press);
        EXPECT_TRUE(widget(name).checked) << name;
    }
    EXPECT_FALSE(widget("Solid").checked) << "one selected at a time";

    click(gui_demo::valuePoint(widget("Field of View"), 0.2f));
    EXPECT_STREQ(widget("Field of View").text, "0.20");
    click(gui_demo::valuePoint(widget("Scroll"), 0.5f));
    EXPECT_STREQ(widget("Scroll").text, "50%");

    // Carried out of the zone and back by a hand's press, move and release, a frame each.
    for (bool over : {false, true}) {
        const ScreenNode box = widget("DRAG");
        frame(pressAt(box.press.x, box.press.y));
        frame(holdAt(box.carry_to.x, box.carry_to.y));
        EXPECT_STREQ(widget("DRAG").text,
                     over ? "carried over the drop zone" : "carried outside the drop zone");
        frame(releaseAt(box.carry_to.x, box.carry_to.y));
        EXPECT_FALSE(widget("DRAG").carried);
        EXPECT_EQ(widget("DRAG").over_drop_zone, over);
    }

    click(widget("Name:").press);
    EXPECT_TRUE(widget("Name:").focused);
    Input typed = at(1100, 200);
    typed.chars[0] = '!';
    frame(typed);
    EXPECT_STREQ(widget("Name:").text, "Zelkor Engine!");
}

TEST_F(ScreenDescription, EveryValueAHandCanSetIsSetByAPressAtItsValuePoint) {
    for (const char* name : {"Exposure", "Scroll"}) {
        const int length = gui_demo::trackLength(widget(name));
        for (int k = 0; k < length; ++k) {
            const float v = static_cast<float>(k) / static_cast<float>(length);
            click(gui_demo::valuePoint(widget(name), v));
            ASSERT_EQ(widget(name).value, v) << name << " at " << k;
        }
    }
}

TEST_F(ScreenDescription, AValueNoPressCanSetLandsOnTheTracksNearestEnd) {
    struct Case {
        float value;
        int x;
    };
    const Case cases[] = {
        {-0.5f, 260},   {std::numeric_limits<float>::quiet_NaN(), 260},
        {0.9974f, 459},  // rounds to 200 pixels, one past the track
        {1.0f, 459},    {std::numeric_limits<float>::infinity(), 459},
    };
    const ScreenNode slider = widget("Exposure");
    for (const Case& c : cases) {
        const gui_demo::ScreenPoint p = gui_demo::valuePoint(slider, c.value);
        EXPECT_EQ(p.x, c.x) << c.value;
        EXPECT_EQ(p.y, slider.press.y) << c.value;
    }
}

TEST_F(ScreenDescription, AReadersFocusGoesToTheFieldWithTheKeyboardElseTheWidgetOperatedLast) {
    const gui_demo::ScreenDescription start = describe();
    auto indexOf = [&](const std::string& name) {
        for (int i = 0; i < start.count; ++i)
            if (start.nodes[i].name == name) return i;
        return -1;
    };
    const int field = indexOf("Name:"), tick = indexOf("Projective Geometry");
    const int speed = indexOf("Rotation Speed"), button = indexOf("Click Me");
    const int solid = indexOf("Solid");
    struct Case {
        const char* what;
        void (*change)(gui_demo::DemoState&);
        int from, to;
    };
    const Case cases[] = {
        {"nothing changed", [](gui_demo::DemoState&) {}, speed, speed},
        {"a box ticked", [](gui_demo::DemoState& s) { s.checkbox1 = true; }, speed, tick},
        {"a slider set", [](gui_demo::DemoState& s) { s.slider1_val = 0.9f; }, -1, speed},
        {"a click counted", [](gui_demo::DemoState& s) { s.btn_click_count = 1; }, -1, button},
        {"the field took the keyboard, and a box ticked",
         [](gui_demo::DemoState& s) { s.input_active = s.checkbox1 = true; }, -1, field},
        {"a radio button selected, not the one left",
         [](gui_demo::DemoState& s) { s.radio_selected = 2; }, speed, solid},
    };
    for (const Case& c : cases) {
        gui_demo::DemoState before = gui_demo::initialState();
        gui_demo::DemoState after = before;
        c.change(after);
        gui_demo::ScreenDescription was, now;
        gui_demo::describeScreen(before, clock, was);
        gui_demo::describeScreen(after, clock, now);
        EXPECT_EQ(gui_demo::readerFocus(was, now, c.from), c.to) << c.what;
    }
    // The field giving the keyboard up takes the focus off it.
    gui_demo::DemoState typing = gui_demo::initialState();
    typing.input_active = true;
    gui_demo::ScreenDescription was, now;
    gui_demo::describeScreen(typing, clock, was);
    gui_demo::describeScreen(gui_demo::initialState(), clock, now);
    EXPECT_EQ(gui_demo::readerFocus(was, now, field), -1);
}
