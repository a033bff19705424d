#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "demo_fixture.h"
#include "fake_platform.h"

using namespace fake;
using gui_demo::advanceClock;
using gui_demo::DemoState;
using gui_demo::LoopClock;
using gui_demo::sampleFrameRate;

TEST(InitialState, IsTheScreenAUserFirstSees) {
    const DemoState s = gui_demo::initialState();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.input_text)), "Zelkor Engine");
    EXPECT_EQ(s.input_len, 13u);
    for (std::size_t i = s.input_len; i < sizeof s.input_text; ++i) EXPECT_EQ(s.input_text[i], 0);
    EXPECT_FALSE(s.input_active);
    EXPECT_EQ(s.btn_click_count, 0u);
    EXPECT_FALSE(s.checkbox1);
    EXPECT_TRUE(s.checkbox2);
    EXPECT_FALSE(s.checkbox3);
    EXPECT_EQ(s.radio_selected, 1u);
    EXPECT_EQ(s.slider1_val, 0.5f);
    EXPECT_EQ(s.slider2_val, 0.25f);
    EXPECT_EQ(s.slider3_val, 0.75f);
    EXPECT_EQ(s.scroll_offset, 0.0f);
    EXPECT_EQ(s.drag_x, 600.0f);
    EXPECT_EQ(s.drag_y, 300.0f);
    EXPECT_FALSE(s.is_dragging);
    EXPECT_EQ(s.hover_btn, -1);
    EXPECT_EQ(s.avg_fps, 0.0f);
    EXPECT_EQ(s.fps_count, 0u);
}

TEST(CursorBlink, ShowsForHalfACycleAndResetsOnlyAboveOne) {
    struct Step {
        float dt;
        float blink;  // after the step
        bool visible;
    };
    const Step steps[] = {
        {0.25f, 0.25f, true}, {0.25f, 0.5f, false},  // exactly 0.5 is already hidden
        {0.5f, 1.0f, false},                         // exactly 1.0 does not reset
        {0.25f, 0.0f, true},                         // above 1.0: back to 0, the overshoot dropped
        {0.0f, 0.0f, true},   {2.0f, 0.0f, true},    // a 2 s stall resets too, and shows the cursor
    };
    LoopClock clock;
    float t = 0.0f;
    for (const Step& s : steps) {
        t += s.dt;
        EXPECT_EQ(advanceClock(clock, s.dt), s.visible) << "after dt " << s.dt;
        EXPECT_EQ(clock.cursor_blink, s.blink);
        EXPECT_EQ(clock.t, t);
    }
}

TEST(FrameRate, PublishesTheMeanOfThirtyRatesOnEveryThirtiethFrame) {
    struct Case {
        const char* name;
        float odd_dt;  // the dt of frame 10; every other frame takes 1/16 s (16 fps)
        float mean;
    };
    const Case cases[] = {
        {"steady", 0.0625f, 16.0f},
        {"a frame with no time adds nothing but still counts", 0.0f, 29.0f * 16.0f / 30.0f},
        {"a 2 s stall enters as 0.5", 2.0f, (29.0f * 16.0f + 0.5f) / 30.0f},
    };
    for (const Case& c : cases) {
        DemoState s;
        for (int frame = 1; frame <= 29; ++frame) {
            sampleFrameRate(s, frame == 10 ? c.odd_dt : 0.0625f);
            EXPECT_EQ(s.avg_fps, 0.0f) << c.name << ": nothing published before frame 30";
            EXPECT_EQ(s.fps_count, static_cast<unsigned>(frame));
        }
        sampleFrameRate(s, 0.0625f);
        EXPECT_FLOAT_EQ(s.avg_fps, c.mean) << c.name;
        EXPECT_EQ(s.fps_count, 0u);
        EXPECT_EQ(s.fps_accum, 0.0f);

        // The next 29 frames leave the published mean alone.
        for (int frame = 1; frame <= 29; ++frame) sampleFrameRate(s, 0.5f);
        EXPECT_FLOAT_EQ(s.avg_fps, c.mean) << c.name;
    }
}

TEST(Startup, OpensTheWindowRunsFramesAndClosesOnce) {
    reset();
    fake::resetPlatform();
    closeAfterFrames(3);
    EXPECT_EQ(gui_demo::main(), 0);
    // Screen readers join once, and are served after every frame.
    EXPECT_EQ(fake::platform().accessibility_started, 1);
    EXPECT_EQ(fake::platform().frames_served, 3);
    const std::vector<Call>& all = calls();
    ASSERT_GE(all.size(), 4u);
    EXPECT_EQ(all[0], make(Op::InitWindow, 1280, 720, 0, 0, Color{}, 0.0f,
                           "MERIDAX / Zelkor Engine \u2014 GUI Demo (O3DE LyShine Components)"));
    EXPECT_EQ(all[1], make(Op::SetTargetFPS, 60, 0, 0, 0, Color{}));
    EXPECT_EQ(all[2], make(Op::SetWindowState, 4, 0, 0, 0, Color{}));
    EXPECT_EQ(callsOf(Op::BeginDrawing).size(), 3u);
    EXPECT_EQ(callsOf(Op::EndDrawing).size(), 3u);
    EXPECT_EQ(callsOf(Op::CloseWindow).size(), 1u);
    EXPECT_EQ(all.back().op, Op::CloseWindow);
}

TEST(Startup, ACloseRequestBeforeTheFirstFrameStillClosesTheWindow) {
    reset();
    closeAfterFrames(0);
    EXPECT_EQ(gui_demo::main(), 0);
    EXPECT_TRUE(callsOf(Op::BeginDrawing).empty());
    EXPECT_EQ(calls().back().op, Op::CloseWindow);
}

TEST(Startup, WithoutAWindowSaysSoOnceAndExitsOneCallingNothingElse) {
    reset();
    fake::resetPlatform();
    setWindowReady(false);
    closeAfterFrames(3);
    EXPECT_EQ(gui_demo::main(), 1);
    EXPECT_EQ(fake::platform().no_window, 1);
    EXPECT_EQ(fake::platform().accessibility_started, 0);
    ASSERT_EQ(calls().size(), 1u) << "no library call after the failed InitWindow";
    EXPECT_EQ(calls()[0].op, Op::InitWindow);
}

TEST_F(DemoFrames, DrawsEveryPanelInOrderBetweenClearAndPresent) {
    frame(at(0, 0));
    const std::vector<Call>& all = calls();
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all.front().op, Op::BeginDrawing);
    EXPECT_EQ(all[1], make(Op::ClearBackground, 0, 0, 0, 0, theme.bg));
    EXPECT_EQ(all.back().op, Op::EndDrawing);

    // Each panel: its fill and outline, then at once its heading at (x + 10, y + 6).
    struct Panel {
        int x, y, w, h;
        const char* heading;
    };
    const Panel panels[] = {
        {10, 50, 230, 310, "Interactables"},
        {250, 50, 260, 310, "Scroll & Slider"},
        {520, 50, 220, 310, "Drag & Drop"},
        {750, 50, 260, 310, "Text & Animation"},
        {10, 375, 1260, 140, "Animation Preview (O3DE UiAnimation)"},
        {1020, 375, 250, 140, "Zelkor Math Modules"},
    };
    std::size_t from = 0;
    for (const Panel& p : panels) {
        const Call fill = rect(p.x, p.y, p.w, p.h, theme.panel_bg);
        std::size_t i = from;
        while (i < all.size() && !(all[i] == fill)) ++i;
        ASSERT_LT(i + 2, all.size()) << p.heading << " is drawn, after the panel before it";
        EXPECT_EQ(all[i + 1], rectLines(p.x, p.y, p.w, p.h, theme.panel_border)) << p.heading;
        EXPECT_EQ(all[i + 2], text(p.heading, p.x + 10, p.y + 6, 16, theme.accent));
        from = i + 3;
    }
    // The footers come after every panel.
    const Call* footer = findText(
        "O3DE LyShine: Button | Checkbox | Radio | Slider | Scroll | DragDrop | Text | Animation | "
        "Navigation | Render");
    ASSERT_NE(footer, nullptr);
    EXPECT_GT(footer - all.data(), static_cast<std::ptrdiff_t>(from));
}

TEST_F(DemoFrames, TitleAndReadoutShowTheAverageAndTheRunningTime) {
    frame(at(0, 0));  // 1/60 s
    const std::vector<Call> texts = callsOf(Op::DrawText);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0], text("ZELKOR ENGINE \u2014 O3DE LyShine GUI Components Demo", 20, 14, 22,
                             theme.accent));
    EXPECT_EQ(texts[1], text("FPS: 0 | Time: 0.0s", 1050, 18, 14, theme.text_secondary));

    Input slow = at(0, 0);
    slow.dt = 0.0625f;
    for (int i = 0; i < 30; ++i) frame(slow);
    // The 30th frame publishes (60 + 29 * 16) / 30 = 17.47; t is 1/60 + 30/16 = 1.8917 s.
    EXPECT_EQ(callsOf(Op::DrawText).at(1),
              text("FPS: 17 | Time: 1.9s", 1050, 18, 14, theme.text_secondary));
}

TEST_F(DemoFrames, AReadoutThatDoesNotFitIsDrawnEmpty) {
    state.avg_fps = 3.4e38f;  // 39 digits each: the whole readout needs 95 bytes
    clock.t = 3.4e38f;
    gui_demo::drawTitle(state, clock, theme);
    EXPECT_EQ(callsOf(Op::DrawText).at(1), text("", 1050, 18, 14, theme.text_secondary));
}

TEST_F(DemoFrames, MathModulesPanelIsStatic) {
    gui_demo::drawMathModules(theme);
    const char* const lines[] = {
        "zelkor_math       (Vec/Mat/Quat)",   "zelkor_dual_quat  (SE3 motors)",
        "zelkor_sh         (Sph. Harmonics)", "zelkor_polyroot   (Ferrari deg4)",
        "zelkor_quasirandom(Sobol+Halton)",   "zelkor_archetype  (deformed tensor)",
        "zelkor_cordic     (shift-and-add)",  "zelkor_tensor     (Riemann+metric)",
    };
    std::vector<Call> expected = {rect(1020, 375, 250, 140, theme.panel_bg),
                                  rectLines(1020, 375, 250, 140, theme.panel_border),
                                  text("Zelkor Math Modules", 1030, 381, 16, theme.accent)};
    for (int k = 0; k < 8; ++k) {
        expected.push_back(text(lines[k], 1030, 403 + 15 * k, 13, theme.text_secondary));
        EXPECT_EQ(std::strchr(lines[k], '(') - lines[k], 18) << "descriptions share a column";
    }
    EXPECT_EQ(calls(), expected);
}

TEST_F(DemoFrames, FootersNameTheComponentsAndTheToolchain) {
    gui_demo::drawFooters(theme);
    const std::vector<Call>& all = calls();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], text("O3DE LyShine: Button | Checkbox | Radio | Slider | Scroll | DragDrop | "
                           "Text | Animation | Navigation | Render",
                           20, 530, 13, theme.text_secondary));
    const std::string credits = all[1].text;
    const std::string head = "Zelkor Engine \u2014 Projective Geometry | Universal Math | ";
    const std::string tail = " | Raylib 6.0";
    ASSERT_GT(credits.size(), head.size() + tail.size());
    EXPECT_EQ(credits.substr(0, head.size()), head);
    EXPECT_EQ(credits.substr(credits.size() - tail.size()), tail);
    const std::string toolchain =
        credits.substr(head.size(), credits.size() - head.size() - tail.size());
    EXPECT_TRUE(toolchain.starts_with("GCC ") || toolchain.starts_with("Clang ")) << toolchain;
    EXPECT_EQ(all[1], text(all[1].text, 20, 548, 13, Color{60, 80, 100, 255}));
}
