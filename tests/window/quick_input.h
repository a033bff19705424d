// Clicks, taps and keystrokes sent the way touchpads, fast hands and scanners make them: a press
// and its release at once, several keys within one frame. Every one must count, in the order it
// was made. The Linux and the Windows (Wine) tests run the same checks on their program.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "demo_screen.h"
#include "x_session.h"

namespace xtest {

const std::vector<std::string> quick_click = {"mousedown", "1", "mouseup", "1"};

inline std::vector<std::string> quickKey(const char* keysym) {
    return {"keydown", "--delay", "0", keysym, "keyup", "--delay", "0", keysym};
}

// Whether cond() holds within timeout_ms: a slow machine (Wine on a software renderer, under
// load) may take more than the few frames each call waits before the change is drawn.
template <typename Cond>
bool soon(const Program& p, Cond cond, int timeout_ms = 3000) {
    for (int waited = 0; waited < timeout_ms; waited += 20) {
        if (cond()) return true;
        p.pause(20);
    }
    return cond();
}

// The light text pixels in the field's text rows, also past the field's right edge.
inline int textInk(const Program& p) {
    const Shot rows = p.grab(762, 76, 1280 - 762, 24);
    int ink = 0;
    for (const Rgb& c : rows.pixels) ink += c.r > 150;
    return ink;
}

inline void expectQuickClicksCount(Program& p) {
    // The radio group: a quick click on each item moves the dot there.
    for (int item : {2, 3, 1}) {
        const int cy = 281 + 35 * (item - 1);
        p.moveTo(41, cy);
        p.atOnce(quick_click);
        EXPECT_TRUE(soon(p, [&] { return p.pixel(41, cy) == accent; }))
            << "radio item " << item << " selected";
    }
    // The first checkbox toggles on every quick click.
    p.moveTo(41, 141);
    for (int click = 1; click <= 4; ++click) {
        p.atOnce(quick_click);
        const Rgb ticked = click % 2 ? accent : checkbox_empty;
        EXPECT_TRUE(soon(p, [&] { return p.pixel(45, 146) == ticked; })) << "click " << click;
    }
    // A quick click and a move away at once: the click lands where it was made.
    p.atOnce({"mousedown", "1", "mouseup", "1", "mousemove", "600", "600"});
    EXPECT_TRUE(soon(p, [&] { return p.pixel(45, 146) == accent; }))
        << "ticked by the click made on it";

    // A drag let go and a new press made within one frame: the drag ends. The box is carried
    // into its area's corner, where the pointer goes past it, so the new press misses it.
    p.moveTo(625, 325);
    p.press();
    p.moveTo(580, 200);
    p.moveTo(500, 40);
    ASSERT_TRUE(soon(p, [&] { return p.pixel(523, 73) == accent; })) << "carried";
    p.atOnce({"mouseup", "1", "mousedown", "1"});
    p.moveTo(650, 250);
    p.pause(100);
    EXPECT_EQ(p.pixel(523, 73), btn_normal) << "let go in the corner, not carried on";
    p.release();
}

// Drags whose last move and release come at once, as a flick makes them, end where they were
// let go: the box, carried there and back, and a slider pressed at 0.10 and flicked to 0.90.
inline void expectFlicksEndWhereLetGo(Program& p) {
    p.moveTo(625, 325);
    p.atOnce({"mousedown", "1", "mousemove", "560", "150", "mouseup", "1"});
    p.moveTo(900, 600);
    EXPECT_TRUE(soon(p, [&] { return p.pixel(540, 130) == btn_normal; })) << "the box let go there";
    // And flicked back to where it began, for the checks that follow.
    p.moveTo(560, 150);
    p.atOnce({"mousedown", "1", "mousemove", "625", "325", "mouseup", "1"});
    p.moveTo(900, 600);
    EXPECT_TRUE(soon(p, [&] { return p.pixel(610, 345) == btn_normal; })) << "and back";
    p.moveTo(280, 82);
    p.atOnce({"mousedown", "1", "sleep", "0.05", "mousemove", "360", "82", "sleep", "0.05",
              "mousemove", "440", "82", "mouseup", "1"});
    p.moveTo(900, 600);
    EXPECT_TRUE(soon(p, [&] { return p.pixel(440, 72) == accent; })) << "the handle at 0.90";
}

inline void expectQuickKeysCount(Program& p) {
    p.click(780, 85);
    ASSERT_TRUE(soon(p, [&] { return p.pixel(760, 88) == accent; })) << "focused";
    // "Zelkor Engine" loses one character to each quick Backspace. The blinking cursor may cover
    // the text's last column, so the text's light pixels are counted.
    int ink = textInk(p);
    for (int tap = 1; tap <= 3; ++tap) {
        p.atOnce(quickKey("BackSpace"));
        EXPECT_TRUE(soon(p, [&] { return textInk(p) < ink; })) << "Backspace " << tap;
        ink = textInk(p);
    }
    const int end = textEnd(p, 1280);
    // "Zelkor Eng" and forty l's, typed in one burst: every one arrives. Each l is 2 of the
    // font's pixels scaled by 1.8, plus 1 of spacing: 4.6 screen pixels apart.
    p.atOnce({"type", "--delay", "0", std::string(40, 'l')});
    EXPECT_TRUE(soon(p, [&] { return std::abs(textEnd(p, 1280) - end - 184) <= 2; }))
        << "40 characters: " << textEnd(p, 1280) - end << " px on, not 184";
    // Forty Backspace taps 2 ms apart, several a frame: X stamps events in milliseconds, and
    // GLFW takes two presses of one key with the same stamp for one.
    std::vector<std::string> backspaces = {"key", "--delay", "2"};
    for (int i = 0; i < 40; ++i) backspaces.push_back("BackSpace");
    p.atOnce(backspaces);
    // Two frames each: over a second at 60 frames a second, several under load.
    EXPECT_TRUE(soon(
        p, [&] { return textEnd(p, 1280) == end; }, 10000))
        << "and 40 quick Backspaces take them away";

    // "ab", Backspace, "i" at once leave "ai": a (10 px on) and i, not a and b (20 px on).
    p.atOnce({"key", "--delay", "0", "a", "b", "BackSpace", "i"});
    EXPECT_TRUE(soon(p, [&] { return std::abs(textEnd(p, 1280) - end - 13) <= 1; }))
        << "ai: " << textEnd(p, 1280) - end << " px on, not 13";
    const int ai = textEnd(p, 1280);
    // Enter, then x, at once: focus ends first, so the x is not taken.
    p.atOnce({"key", "--delay", "0", "Return", "x"});
    EXPECT_TRUE(soon(p, [&] { return p.pixel(760, 88) == input_border; })) << "Enter ended focus";
    p.pause(100);
    EXPECT_EQ(textEnd(p, 1280), ai) << "the x came after it";
}

}  // namespace xtest
