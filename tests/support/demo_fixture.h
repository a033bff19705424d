// Runs the demo's frames against the recording stand-in, one scripted input per frame.
#pragma once

#include <gtest/gtest.h>

#include "calls.h"
#include "distinct_theme.h"
#include "gui_demo/demo.h"

class DemoFrames : public ::testing::Test {
protected:
    void SetUp() override { fake::reset(); }

    // Runs one whole frame with this input; afterwards calls() holds just that frame's calls.
    void frame(const fake::Input& in) {
        fake::clearCalls();
        fake::setInput(in);
        gui_demo::runFrame(state, clock, theme);
    }

    // The pointer at (x, y) with the left button going down, held, or coming up this frame.
    static fake::Input at(int x, int y) { return fake::Input{.mouse_x = x, .mouse_y = y}; }
    static fake::Input pressAt(int x, int y) {
        return fake::Input{.mouse_x = x, .mouse_y = y, .pressed = true, .down = true};
    }
    static fake::Input holdAt(int x, int y) {
        return fake::Input{.mouse_x = x, .mouse_y = y, .down = true};
    }
    static fake::Input releaseAt(int x, int y) {
        return fake::Input{.mouse_x = x, .mouse_y = y, .released = true};
    }

    const Theme theme = distinctTheme();
    gui_demo::DemoState state = gui_demo::initialState();
    gui_demo::LoopClock clock;
};
