// A recording stand-in for what a desktop platform supplies (gui_demo/platform.h), linked into the
// unit tests in place of platform/: the input a screen reader's actions make is kept in order, and
// the loop's calls are counted. No pacer is installed, so raylib's stand-in reads input as set.
#pragma once

#include <vector>

#include "gui_demo/input_pacing.h"

namespace fake {

struct PlatformCalls {
    int no_window = 0;  // reportNoWindow
    int accessibility_started = 0;
    int frames_served = 0;                         // serveAccessibility, once after each frame
    std::vector<gui_demo::PacedEvent> hand_input;  // offerHandInput, in order
    bool hand_holds = false;                       // what handHoldsButton answers
};

PlatformCalls& platform();
void resetPlatform();

// Where realPointer says the real pointer is.
void setRealPointer(double x, double y);

}  // namespace fake
