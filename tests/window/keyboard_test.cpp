// The unmodified program driven by the keyboard alone (and a stand-in game controller): Tab
// reaches every widget in order, the focus mark is drawn around it, and each widget's keys change
// the screen as a click would.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "demo_screen.h"
#include "x_session.h"

using xtest::accent;
using xtest::input_border;
using xtest::marked;
using xtest::Program;
using xtest::Rgb;
using xtest::Shot;
using xtest::stop_count;
using xtest::stops;
using xtest::XServer;

namespace {

int differing(const Shot& a, const Shot& b) {
    int n = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) n += !(a.at(x, y) == b.at(x, y));
    return n;
}

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override { start({GUI_DEMO_PROGRAM}); }

    void start(const std::vector<std::string>& command) {
        ASSERT_TRUE(x.ok()) << "Xvfb did not start";
        program = std::make_unique<Program>(x, command, dir, "");
        ASSERT_TRUE(program->ok()) << "the program's window did not appear";
        // Without a window manager the keyboard's focus follows the pointer; nothing lies here.
        program->moveTo(640, 650);
    }

    void quitWithEscape() {
        program->holdKey("Escape");
        EXPECT_EQ(program->waitExit(2000), 0);
    }

    XServer x;
    std::string dir = "/tmp";
    std::unique_ptr<Program> program;
};

}  // namespace

TEST_F(Keyboard, TabReachesEveryStopInOrderAndShiftTabGoesBack) {
    EXPECT_EQ(marked(*program), "") << "no mark before a key";
    for (int k = 0; k < stop_count; ++k) {
        program->holdKey("Tab");
        EXPECT_EQ(marked(*program), stops[k].name) << "Tab " << k + 1;
    }
    program->holdKey("Tab");
    EXPECT_EQ(marked(*program), stops[0].name) << "round to the first";
    program->holdKey("shift+Tab");
    EXPECT_EQ(marked(*program), stops[stop_count - 1].name) << "back round to the last";
    program->holdKey("shift+Tab");
    EXPECT_EQ(marked(*program), "Name:");
    program->click(640, 650);
    EXPECT_EQ(marked(*program), "") << "a real click hides the mark";
    quitWithEscape();
}

TEST_F(Keyboard, EachStopsKeysChangeTheScreenAsAClickWould) {
    struct Case {
        int tabs;  // Tabs from the stop before
        const char* keys;
        int x, y, w, h;  // where the screen changes
    };
    const Case cases[] = {
        {1, "space", 30, 115, 90, 14},     // Click Me: the count
        {1, "space", 31, 131, 20, 20},     // the first check box ticks
        {3, "Down", 31, 271, 20, 90},      // Render Mode: Solid selected
        {1, "End", 246, 68, 228, 28},      // Rotation Speed to its end
        {3, "End", 470, 70, 20, 280},      // Scroll to its end
        {1, "space", 560, 240, 180, 120},  // the box carried out of the drop zone
    };
    for (const Case& c : cases) {
        for (int k = 0; k < c.tabs; ++k) program->holdKey("Tab");
        const Shot before = program->grab(c.x, c.y, c.w, c.h);
        program->holdKey(c.keys);
        EXPECT_GT(differing(before, program->grab(c.x, c.y, c.w, c.h)), 20)
            << c.keys << " at (" << c.x << ", " << c.y << ")";
    }
    EXPECT_EQ(program->pixel(41, 316), accent) << "Solid's dot";
    EXPECT_EQ(program->pixel(45, 146), accent) << "the ticked box";

    // The field: Tab starts its editing, typing extends the text, Tab ends it and moves on.
    const int before = xtest::textEnd(*program);
    program->holdKey("Tab");
    EXPECT_EQ(program->pixel(760, 88), accent) << "the field has the keyboard";
    program->type("ab");
    const int typed = xtest::textEnd(*program);
    EXPECT_GT(typed, before + 10);
    program->holdKey("Tab");
    EXPECT_EQ(program->pixel(760, 88), input_border) << "Tab ends the editing";
    // The cursor may have covered the last column while the field had the keyboard.
    EXPECT_NEAR(xtest::textEnd(*program), typed, 2) << "and keeps the text";
    EXPECT_EQ(marked(*program), "animation strip");

    // The strip: Space pauses it, and again plays it.
    program->holdKey("space");
    const Shot paused = program->grab(11, 376, 1000, 138);
    program->pause(300);
    EXPECT_EQ(differing(paused, program->grab(11, 376, 1000, 138)), 0) << "paused";
    program->holdKey("space");
    const Shot playing = program->grab(11, 376, 1000, 138);
    program->pause(300);
    EXPECT_GT(differing(playing, program->grab(11, 376, 1000, 138)), 500) << "playing again";
    quitWithEscape();
}

// A game controller, stood in for by a library preloaded ahead of raylib that answers GLFW's two
// gamepad calls from a file the test writes: buttons (GLFW's order, as 0 and 1) and two axes.
TEST_F(Keyboard, AGameControllerMovesAndPressesAsTheKeysDo) {
    const std::string pad = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                            "/gui_demo_pad_" + std::to_string(::getpid());
    const auto set = [&](const char* state) {
        std::ofstream(pad) << state << "\n";
        program->pause(150);
    };
    program.reset();
    set("000000000000000 0 0");
    start({"env", "LD_PRELOAD=" GUI_DEMO_FAKE_PAD, "GUI_DEMO_FAKE_PAD_FILE=" + pad,
           GUI_DEMO_PROGRAM});
    //                  A B . . LB RB . . . . . up right down left
    set("000001000000000 0 0");  // the right shoulder: Tab
    set("000000000000000 0 0");
    EXPECT_EQ(marked(*program), "Click Me");
    set("000000000000010 0 0");  // the D-pad down
    set("000000000000000 0 0");
    EXPECT_EQ(marked(*program), "Projective Geometry");
    set("100000000000000 0 0");  // A ticks it
    set("000000000000000 0 0");
    EXPECT_EQ(program->pixel(45, 146), accent);
    set("000000000000000 0.9 0");  // the stick to the right, past the dead zone
    set("000000000000000 0.3 0");  // within it: at rest
    EXPECT_EQ(marked(*program), "Field of View");
    set("000000000000000 0 0");
    std::remove(pad.c_str());
    quitWithEscape();
}
