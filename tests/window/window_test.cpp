// The unmodified program in a virtual X server, driven by real pointer and keyboard events and
// checked pixel by pixel on screen.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "demo_screen.h"
#include "quick_input.h"
#include "x_session.h"

using xtest::accent;
using xtest::bg;
using xtest::checkbox_empty;
using xtest::input_border;
using xtest::near;
using xtest::Program;
using xtest::Rgb;
using xtest::XServer;

namespace {

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
    EXPECT_EQ(xtest::titleDashProblem(shot), "") << "the em dash is a bar, not a \"?\"";
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

namespace {

using xtest::btn_normal;
using xtest::textEnd;

}  // namespace

TEST_F(RealWindow, ClickingTheFirstCheckboxFillsItsSquare) {
    EXPECT_EQ(program->pixel(45, 146), checkbox_empty);
    program->click(40, 140);
    program->moveTo(600, 600);
    EXPECT_EQ(program->pixel(45, 146), accent);
    quitWithEscape();
}

TEST_F(RealWindow, PressingTheSecondRadioSquaresCornerMovesTheDot) {
    EXPECT_EQ(program->pixel(41, 281), accent);
    EXPECT_NE(program->pixel(41, 316), accent);
    program->click(30, 305);
    EXPECT_EQ(program->pixel(41, 316), accent);
    EXPECT_NE(program->pixel(41, 281), accent);
    quitWithEscape();
}

TEST_F(RealWindow, TheButtonLooksPressedWhileHeldOverIt) {
    program->moveTo(40, 100);
    program->press();
    EXPECT_EQ(program->pixel(35, 75), accent) << "btn_pressed";
    program->release();
    program->moveTo(600, 600);
    EXPECT_EQ(program->pixel(35, 75), btn_normal);
    quitWithEscape();
}

TEST_F(RealWindow, ASliderDraggedToItsLeftEndMovesItsHandleThere) {
    EXPECT_EQ(program->pixel(360, 72), accent) << "the handle starts at 0.5";
    EXPECT_NE(program->pixel(260, 72), accent);
    program->moveTo(400, 82);
    program->press();
    program->moveTo(330, 82);
    program->moveTo(260, 82);
    program->release();
    program->moveTo(600, 600);
    EXPECT_EQ(program->pixel(260, 72), accent);
    EXPECT_NE(program->pixel(360, 72), accent);
    quitWithEscape();
}

TEST_F(RealWindow, TheDragBoxCarriedToItsAreasCornerIsDrawnThere) {
    program->moveTo(625, 325);
    program->press();
    program->moveTo(580, 200);
    program->moveTo(500, 40);  // past the corner: the box stops against both edges
    EXPECT_EQ(program->pixel(523, 73), accent) << "carried";
    program->release();
    program->moveTo(900, 600);
    EXPECT_EQ(program->pixel(523, 73), btn_normal) << "let go where it was";
    quitWithEscape();
}

TEST_F(RealWindow, TypingExtendsTheTextAndEnterGivesUpFocus) {
    const int before = textEnd(*program);
    ASSERT_GT(before, 768) << "the initial text is drawn";
    EXPECT_EQ(program->pixel(760, 88), input_border);
    program->click(780, 85);
    EXPECT_EQ(program->pixel(760, 88), accent) << "focused";
    program->type("xyz");
    const int typed = textEnd(*program);
    EXPECT_GT(typed, before + 20);
    program->holdKey("BackSpace");
    const int erased = textEnd(*program);
    EXPECT_LT(erased, typed);
    EXPECT_GT(erased, before);
    program->holdKey("Return");
    EXPECT_EQ(program->pixel(760, 88), input_border) << "Enter ends focus";
    // The cursor may cover the text's last column while focused, so compare with the start.
    EXPECT_GT(textEnd(*program), before + 10) << "and keeps the text";
    quitWithEscape();
}

TEST_F(RealWindow, QuickClicksEachCountWhereTheyWereMade) {
    xtest::expectQuickClicksCount(*program);
    quitWithEscape();
}

TEST_F(RealWindow, AFlickEndsWhereItWasLetGo) {
    xtest::expectFlicksEndWhereLetGo(*program);
    quitWithEscape();
}

TEST_F(RealWindow, QuickKeysAndBurstsEachCountInTheOrderTyped) {
    xtest::expectQuickKeysCount(*program);
    quitWithEscape();
}

TEST_F(RealWindow, TheAnimationStripMovesWhileTheMathPanelTextStaysPut) {
    const xtest::Shot first = program->grab();
    program->pause(400);
    const xtest::Shot second = program->grab();

    int strip_changes = 0;
    for (int y = 376; y < 514; ++y) {
        for (int x = 11; x < 1019; ++x) strip_changes += !(first.at(x, y) == second.at(x, y));
    }
    EXPECT_GT(strip_changes, 500) << "the bar wave moved";

    // The module list is drawn over the orbit, which shows faintly through the panel: its
    // text pixels themselves must be the same in both shots.
    const Rgb text_secondary = {140, 145, 160};
    int text_pixels = 0, moved = 0;
    for (int y = 400; y < 514; ++y) {
        for (int x = 1030; x < 1269; ++x) {
            const bool a = first.at(x, y) == text_secondary, b = second.at(x, y) == text_secondary;
            text_pixels += a;
            moved += a != b;
        }
    }
    EXPECT_GT(text_pixels, 500);
    EXPECT_EQ(moved, 0);
    quitWithEscape();
}

namespace {

// The one line the program prints when it cannot open its window.
void expectClearFailure(const xtest::Outcome& run, const char* what) {
    EXPECT_EQ(run.status, 1) << what;
    EXPECT_FALSE(run.core_dumped) << what;
    EXPECT_EQ(run.err.rfind("gui_demo: could not open the window: it needs an X11 display with "
                            "OpenGL 3.3",
                            0),
              0u)
        << what << ", stderr: " << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << what << ": one line";
}

}  // namespace

TEST(NoWindow, WithoutADisplayTheProgramSaysWhyAndExitsOne) {
    expectClearFailure(xtest::runToEnd(GUI_DEMO_PROGRAM, {"DISPLAY"}, 10000), "DISPLAY unset");
    // A display number no X server listens on.
    int free_display = 4000;
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(free_display))) {
        ++free_display;
    }
    expectClearFailure(
        xtest::runToEnd(GUI_DEMO_PROGRAM, {"DISPLAY=:" + std::to_string(free_display)}, 10000),
        "no server on the display");
}

TEST(NoWindow, AnXServerWithoutOpenGLGivesTheSameClearFailure) {
    XServer no_glx({"-extension", "GLX"});
    ASSERT_TRUE(no_glx.ok()) << "Xvfb did not start";
    expectClearFailure(xtest::runToEnd(GUI_DEMO_PROGRAM, {"DISPLAY=" + no_glx.name()}, 10000),
                       "Xvfb without GLX");
}

TEST_F(RealWindow, KeepsItsMemoryAcrossFramesInsteadOfFaultingItInEachFrame) {
    // The renderer's per-frame blocks, given back to the kernel after every frame, came back as
    // about 500 page faults a frame: some 30,000 a second at the frame cap.
    program->pause(2000);
    const long before = program->minorFaults();
    const auto start = std::chrono::steady_clock::now();
    program->pause(3000);
    const long after = program->minorFaults();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    ASSERT_GE(before, 0);
    ASSERT_GE(after, before);
    EXPECT_LT(static_cast<double>(after - before) / took.count(), 1000.0)
        << after - before << " minor faults in " << took.count() << " s";
    quitWithEscape();
}
