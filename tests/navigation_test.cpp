// The keyboard's and a game controller's navigation: the fixed neighbours against where the
// widgets lie, the key map, and keys played through the real frame as the input they make.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "demo_fixture.h"
#include "fake_platform.h"
#include "gui_demo/navigation.h"

using gui_demo::NavCommand;

namespace {

class Navigation : public DemoFrames {
protected:
    void SetUp() override {
        DemoFrames::SetUp();
        fake::resetPlatform();
        frame(at(1100, 700));
    }

    // A whole frame drawn with what navigation gives it.
    void frame(const fake::Input& in) {
        fake::clearCalls();
        fake::setInput(in);
        gui_demo::runFrame(state, clock, theme, nav.viewing);
    }

    const gui_demo::ScreenDescription& screen() {
        gui_demo::describeScreen(state, clock, now);
        return now;
    }

    // The name of the widget a stop stands on now.
    std::string stopName(int stop) {
        const int node = gui_demo::nodeOfStop(screen(), stop);
        return node < 0 ? "" : now.nodes[node].name;
    }

    // A key pressed, then the input it made played into frames, one event a frame as the pacer
    // lets it through; returns whether navigation took the key.
    bool key(int k, int mods = 0) {
        const bool taken = gui_demo::navigateByKey(nav, screen(), k, mods);
        play();
        return taken;
    }

    void play() {
        auto& made = fake::platform().hand_input;
        for (const gui_demo::PacedEvent& e : made) {
            fake::Input in = held ? holdAt(x, y) : at(x, y);
            switch (e.kind) {
                case gui_demo::PacedEvent::Kind::move:
                    x = static_cast<int>(e.x), y = static_cast<int>(e.y);
                    in = held ? holdAt(x, y) : at(x, y);
                    break;
                case gui_demo::PacedEvent::Kind::button:
                    held = e.action == gui_demo::pacing_press;
                    in = held ? pressAt(x, y) : releaseAt(x, y);
                    break;
                case gui_demo::PacedEvent::Kind::key:
                    in.enter = e.code == gui_demo::pacing_key_enter && e.action == 1;
                    break;
                case gui_demo::PacedEvent::Kind::character:
                    in.chars[0] = e.code;
                    break;
            }
            frame(in);
            gui_demo::navigationFrame(nav);
        }
        made.clear();
    }

    gui_demo::Navigation nav;
    gui_demo::ScreenDescription now;
    int x = 1100, y = 700;
    bool held = false;
};

constexpr const char* directions[] = {"left", "right", "up", "down"};

}  // namespace

// Every move the table makes goes the way of its arrow, judged from the rectangles the screen
// is drawn with (the widget it reaches lies wholly beyond the one it leaves), and every stop can
// be reached by the arrows from every other.
TEST_F(Navigation, TheNeighboursLieTheWayOfTheirArrowAndReachEveryStop) {
    const gui_demo::ScreenDescription& d = screen();
    bool reached[gui_demo::nav_stop_count] = {true};
    for (int pass = 0; pass < gui_demo::nav_stop_count; ++pass) {
        for (int from = 0; from < gui_demo::nav_stop_count; ++from) {
            const gui_demo::ScreenRect a = d.nodes[gui_demo::nodeOfStop(d, from)].rect;
            for (int way = 0; way < 4; ++way) {
                const int to = gui_demo::nav_neighbours[from][way];
                if (to < 0) continue;
                const gui_demo::ScreenRect b = d.nodes[gui_demo::nodeOfStop(d, to)].rect;
                const bool beyond = way == 0   ? b.x + b.w <= a.x
                                    : way == 1 ? b.x >= a.x + a.w
                                    : way == 2 ? b.y + b.h <= a.y
                                               : b.y >= a.y + a.h;
                EXPECT_TRUE(beyond)
                    << stopName(from) << " " << directions[way] << " to " << stopName(to);
                reached[to] = reached[to] || reached[from];
            }
        }
    }
    for (int s = 0; s < gui_demo::nav_stop_count; ++s) EXPECT_TRUE(reached[s]) << stopName(s);
}

TEST_F(Navigation, TheStopsAreTheWidgetsInReadingOrderAndTheStripLast) {
    const char* names[] = {"Click Me",
                           "Projective Geometry",
                           "Dual Quaternions",
                           "Archetype Algebra",
                           "Wireframe",
                           "Rotation Speed",
                           "Field of View",
                           "Exposure",
                           "Scroll",
                           "DRAG",
                           "Name:"};
    for (int s = 0; s < 11; ++s) EXPECT_EQ(stopName(s), names[s]) << s;
    EXPECT_EQ(now.nodes[gui_demo::nodeOfStop(now, gui_demo::stop_strip)].role,
              gui_demo::ScreenRole::image);
    EXPECT_EQ(gui_demo::nodeOfStop(now, gui_demo::nav_stop_count), -1);
}

TEST_F(Navigation, KeysMapToTheirCommands) {
    struct Case {
        int key, mods;
        NavCommand command;
    } const cases[] = {
        {258, 0, NavCommand::next},     {258, 1, NavCommand::previous},
        {263, 0, NavCommand::left},     {262, 0, NavCommand::right},
        {265, 0, NavCommand::up},       {264, 0, NavCommand::down},
        {266, 0, NavCommand::page_up},  {267, 0, NavCommand::page_down},
        {268, 0, NavCommand::home},     {269, 0, NavCommand::end},
        {32, 0, NavCommand::activate},  {257, 0, NavCommand::activate},
        {335, 0, NavCommand::activate}, {259, 0, NavCommand::none},  // Backspace
        {256, 0, NavCommand::none},     {65, 0, NavCommand::none},   // Escape, A
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gui_demo::keyCommand(c.key, c.mods), c.command) << c.key << " " << c.mods;
    }
}

TEST_F(Navigation, KeysOperateEachWidgetAsAHandWould) {
    using namespace gui_demo;
    EXPECT_FALSE(key(nav_key_space)) << "nothing has the focus yet";
    EXPECT_TRUE(key(nav_key_tab, nav_mod_shift));
    EXPECT_EQ(nav.stop, stop_strip) << "the first Shift+Tab goes to the end";
    key(nav_key_space);
    EXPECT_TRUE(nav.viewing.animation_paused);
    const float paused_at = state.anim_time;
    frame(at(x, y));
    EXPECT_EQ(state.anim_time, paused_at);
    key(nav_key_enter);
    EXPECT_FALSE(nav.viewing.animation_paused);

    EXPECT_TRUE(key(nav_key_tab));
    EXPECT_EQ(nav.stop, stop_button) << "round to the start";
    key(nav_key_space);
    EXPECT_EQ(state.btn_click_count, 1u);
    key(nav_key_down);
    key(nav_key_enter);
    EXPECT_TRUE(state.checkbox1);
    key(nav_key_down), key(nav_key_down), key(nav_key_down);
    ASSERT_EQ(nav.stop, stop_radio);
    // Two keys before either's input is played: both count, on the screen as it will be.
    navigateByKey(nav, screen(), nav_key_up, 0);
    navigateByKey(nav, screen(), nav_key_up, 0);
    play();
    EXPECT_EQ(state.radio_selected, 2u) << "Wireframe, round to Instanced, then Solid";
    key(nav_key_right);
    EXPECT_EQ(state.radio_selected, 3u) << "the keyboard's Right selects too";

    key(nav_key_tab);
    ASSERT_EQ(nav.stop, stop_slider_1);
    navigateByKey(nav, screen(), nav_key_right, 0);
    navigateByKey(nav, screen(), nav_key_right, 0);
    play();
    EXPECT_FLOAT_EQ(state.slider1_val, 102.0f / 200.0f) << "a pixel a step";
    key(nav_key_end);
    EXPECT_FLOAT_EQ(state.slider1_val, 199.0f / 200.0f);
    EXPECT_TRUE(key(nav_key_right));
    EXPECT_FLOAT_EQ(state.slider1_val, 199.0f / 200.0f) << "at the end already";
    key(nav_key_home), key(nav_key_page_up);
    EXPECT_FLOAT_EQ(state.slider1_val, 20.0f / 200.0f) << "a tenth of the track";
    key(nav_key_up);
    EXPECT_EQ(nav.stop, stop_slider_1) << "nothing above";
    key(nav_key_right, 0), key(nav_key_tab), key(nav_key_tab), key(nav_key_tab);
    ASSERT_EQ(nav.stop, stop_scroll);
    key(nav_key_down), key(nav_key_page_down);
    EXPECT_FLOAT_EQ(state.scroll_offset, 29.0f / 280.0f) << "down a pixel, then a tenth";

    key(nav_key_tab);
    const float box_x = state.drag_x;
    ASSERT_TRUE(screen().nodes[nodeOfStop(now, stop_drag_box)].over_drop_zone);
    key(nav_key_space);
    EXPECT_FALSE(screen().nodes[nodeOfStop(now, stop_drag_box)].over_drop_zone) << "out";
    key(nav_key_space);
    EXPECT_TRUE(screen().nodes[nodeOfStop(now, stop_drag_box)].over_drop_zone) << "over";
    EXPECT_EQ(state.drag_x, box_x) << "carried back where it came from";
}

TEST_F(Navigation, AValueOfOneIsNotPulledBackByEndOrRight) {
    using namespace gui_demo;
    state.slider1_val = 1.0f;  // as a hand held past the track's end leaves it
    for (int k = 0; k <= stop_slider_1; ++k) key(nav_key_tab);
    ASSERT_EQ(nav.stop, stop_slider_1);
    EXPECT_TRUE(key(nav_key_end));
    EXPECT_TRUE(key(nav_key_right));
    EXPECT_EQ(state.slider1_val, 1.0f);
    key(nav_key_left);
    EXPECT_FLOAT_EQ(state.slider1_val, 199.0f / 200.0f);
}

TEST_F(Navigation, TabEntersAndLeavesTheFieldWithItsTextIntact) {
    using namespace gui_demo;
    key(nav_key_tab, nav_mod_shift), key(nav_key_tab, nav_mod_shift);
    ASSERT_EQ(nav.stop, stop_field);
    EXPECT_TRUE(state.input_active) << "reached by a key, it takes the keyboard";
    EXPECT_FALSE(key(nav_key_space)) << "typing: Space is the field's";
    EXPECT_FALSE(key(nav_key_left));
    EXPECT_TRUE(key(nav_key_tab));
    EXPECT_FALSE(state.input_active);
    EXPECT_EQ(nav.stop, stop_strip);
    EXPECT_STREQ(reinterpret_cast<const char*>(state.input_text), "Zelkor Engine");
    // Two Tabs before any input is played: the field is left again, not kept typing.
    navigateByKey(nav, screen(), nav_key_tab, nav_mod_shift);
    navigateByKey(nav, screen(), nav_key_tab, nav_mod_shift);
    play();
    EXPECT_EQ(nav.stop, stop_drag_box);
    EXPECT_FALSE(state.input_active);
    key(nav_key_tab);
    // Enter ends the typing and keeps the focus; typing again takes the keyboard back.
    EXPECT_FALSE(key(nav_key_enter));
    fake::Input enter = at(x, y);
    enter.enter = true;
    frame(enter);
    EXPECT_FALSE(state.input_active);
    EXPECT_EQ(nav.stop, stop_field);
    beforeTyping(nav, screen());
    play();
    EXPECT_TRUE(state.input_active);
}

TEST_F(Navigation, ARealPressHidesTheMarkAndTakesTheFocusWhereItLands) {
    using namespace gui_demo;
    key(nav_key_tab);
    navigationFrame(nav);
    EXPECT_EQ(nav.viewing.marked, nodeOfStop(screen(), stop_button));
    pointerPressed(nav, screen(), 270, 80);  // on Rotation Speed
    navigationFrame(nav);
    EXPECT_EQ(nav.viewing.marked, -1);
    EXPECT_FALSE(key(nav_key_space)) << "after a click, Space is no key of navigation's";
    key(nav_key_down);
    EXPECT_EQ(nav.stop, stop_slider_2);
}

TEST_F(Navigation, TheMarkIsDrawnLastAroundTheWidgetOutsideABandOfBackground) {
    // Rotation Speed at 0.5: the handle lies within the track's length, 2 px above and below.
    const int slider = gui_demo::nodeOfStop(screen(), gui_demo::stop_slider_1);
    fake::clearCalls();
    fake::setInput(at(x, y));
    gui_demo::runFrame(state, clock, theme, gui_demo::Viewing{.marked = slider});
    const auto& calls = fake::calls();
    ASSERT_GE(calls.size(), 13u);
    const fake::Call* edge = &calls[calls.size() - 5];
    const fake::Call* ring = &calls[calls.size() - 9];
    const fake::Call* band = &calls[calls.size() - 13];
    EXPECT_EQ(calls.back().op, fake::Op::EndDrawing);
    // Top edges: the band 3 px above the handle's top (y 68), the ring 3 px above that, and a
    // pixel of background above the ring.
    EXPECT_EQ(band->op, fake::Op::DrawRectangle);
    EXPECT_EQ((std::array{band->a, band->b, band->c, band->d}), (std::array{257, 65, 206, 3}));
    EXPECT_EQ(band->color, theme.bg);
    EXPECT_EQ((std::array{ring->a, ring->b, ring->c, ring->d}), (std::array{254, 62, 212, 3}));
    EXPECT_EQ(ring->color, gui_demo::focus_mark_color);
    EXPECT_EQ((std::array{edge->a, edge->b, edge->c, edge->d}), (std::array{253, 61, 214, 1}));
    EXPECT_EQ(edge->color, theme.bg);
}

TEST(GameController, DirectionsRepeatWhileHeldAndTheStickHasADeadZone) {
    gui_demo::PadTracker t;
    const auto commands = [&](gui_demo::PadReading r) {
        gui_demo::NavCommand out[gui_demo::pad_max_commands];
        std::string words;
        const int n = gui_demo::padCommands(t, r, out);
        for (int k = 0; k < n; ++k) words += std::to_string(static_cast<int>(out[k])) + " ";
        return words;
    };
    const unsigned char none[15] = {};
    const float stick_in[6] = {0.45f, -0.3f}, stick_right[6] = {0.6f, 0.0f};
    EXPECT_EQ(commands(gui_demo::readPad(none, stick_in)), "") << "within the dead zone";
    EXPECT_EQ(commands(gui_demo::readPad(none, stick_right)), "4 ") << "right, at once";
    int repeats = 0;
    for (int f = 1; f <= gui_demo::pad_repeat_after + 2 * gui_demo::pad_repeat_every; ++f)
        repeats += commands(gui_demo::readPad(none, stick_right)) == "4 ";
    EXPECT_EQ(repeats, 3) << "after the delay, then every few frames";
    unsigned char buttons[15] = {};
    buttons[0] = buttons[5] = 1;  // A and the right shoulder, together
    EXPECT_EQ(commands(gui_demo::readPad(buttons, stick_in)), "1 11 ");
    EXPECT_EQ(commands(gui_demo::readPad(buttons, stick_in)), "") << "held: once";
}
