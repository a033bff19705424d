// The window on the desktop's accessibility tree, for screen readers: the screen's description
// (screen_description.h) told to whoever listens, and their actions made into a hand's input
// through the input pacing. On Linux it speaks AT-SPI through ATK and its bridge
// (accessibility_bridge.cpp); where a platform has no bridge yet, both calls do nothing.
#pragma once

namespace gui_demo {

struct DemoState;
struct LoopClock;

// Joins the session's accessibility bus, once the window is open and the pacer installed. Where
// there is no session bus, with NO_AT_BRIDGE=1, or where raylib hides GLFW, it does nothing and
// says nothing. state and clock are read whenever a screen reader asks, so they must live as long
// as the loop.
void startAccessibility(const DemoState& state, const LoopClock& clock);

// After every frame, on the loop's own thread: tells listeners what changed, then answers what
// they asked since. Nobody asking costs one look at the bus; a reader asking is answered for at
// most 4 ms of the frame's idle time.
void serveAccessibility();

}  // namespace gui_demo
