// The unmodified program in a virtual X server, driven by real pointer and keyboard events and
// checked pixel by pixel on screen.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "x_session.h"

using xtest::Program;
using xtest::Rgb;
using xtest::XServer;

namespace {

constexpr Rgb bg = {12, 12, 18};
constexpr Rgb accent = {80, 180, 255};

bool near(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

class RealWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.ok()) << "Xvfb did not start";
        // A fresh, empty working directory, to see that the program writes nothing into it.
        char tmpl[] = "/tmp/gui_demo_test_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        program = std::make_unique<Program>(x, GUI_DEMO_PROGRAM, dir);
        ASSERT_TRUE(program->ok()) << "the program's window did not appear";
    }

    void TearDown() override {
        program.reset();
        std::filesystem::remove_all(dir);
    }

    // Ends the program the way a user does and expects a clean exit.
    void quitWithEscape() {
        program->holdKey("Escape");
        EXPECT_EQ(program->waitExit(2000), 0);
    }

    XServer x;
    std::string dir;
    std::unique_ptr<Program> program;
};

}  // namespace

TEST_F(RealWindow, HasItsTitleAndSize) {
    EXPECT_EQ(program->title(),
              "MERIDAX / Zelkor Engine \u2014 GUI Demo (O3DE LyShine Components)");
    int w = 0, h = 0;
    program->size(w, h);
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 720);
    quitWithEscape();
}

TEST_F(RealWindow, FirstScreenShowsBackgroundPanelsAndTitle) {
    const xtest::Shot shot = program->grab();
    ASSERT_EQ(shot.width, 1280);
    for (auto [x_, y_] : {std::pair{5, 5}, {640, 650}, {1275, 715}, {1275, 200}}) {
        EXPECT_EQ(shot.at(x_, y_), bg) << "nothing is drawn at (" << x_ << ", " << y_ << ")";
    }
    // The Math modules panel lies over the animation strip: two translucent panel fills over
    // the background, where neither a bar nor the orbit nor text reaches.
    const Rgb twice_blended = {22, 24, 32};
    EXPECT_TRUE(near(shot.at(1262, 388), twice_blended, 2)) << shot.at(1262, 388);

    int accent_pixels = 0;
    for (int y = 14; y < 40; ++y) {
        for (int x_ = 20; x_ < 700; ++x_) accent_pixels += shot.at(x_, y) == accent;
    }
    EXPECT_GT(accent_pixels, 500) << "the title line is drawn in the accent colour";
    quitWithEscape();
}

TEST_F(RealWindow, EscapeEndsTheProgramWithStatusZero) { quitWithEscape(); }

TEST_F(RealWindow, TheWindowManagersCloseRequestEndsTheProgramWithStatusZero) {
    program->requestClose();
    EXPECT_EQ(program->waitExit(2000), 0);
}

TEST_F(RealWindow, F12WritesNoScreenshot) {
    program->moveTo(640, 600);  // keyboard focus follows the pointer without a window manager
    program->holdKey("F12");
    program->pause(300);
    quitWithEscape();
    EXPECT_TRUE(std::filesystem::is_empty(dir)) << "the program wrote into its working directory";
}
