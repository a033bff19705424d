// What a desktop platform supplies to the portable program: everything gui_demo::main() and a
// screen reader's actions (hand_input.h) need beyond raylib's own API. Each platform's folder
// under platform/ implements all of it, and the build links exactly one (CMake's
// GUI_DEMO_PLATFORM); the unit tests link a recording stand-in (tests/support/fake_platform.cpp).
// The page has no desktop loop and supplies none of it: its entry point is its own.
//
// Kept apart from demo.h, and free of raylib.h, so that a platform file that includes its own
// system headers (<windows.h>, whose names clash with raylib's) can include it.
#pragma once

namespace gui_demo {

struct DemoState;
struct LoopClock;
struct Navigation;
struct PacedEvent;

// Tells the person who started the program that its window could not open, where they will see
// it: one line on stderr, and on Windows, whose GUI programs have no console, a message box too.
void reportNoWindow();

// Every click and keystroke in a frame of its own (input_pacing.h), chained onto the window
// system's callbacks. Call installInputPacing once after the window has opened, and
// releaseHeldInput after every frame. Where raylib does not let the program reach its window
// system, both do nothing and input is read once a frame.
bool installInputPacing();
void releaseHeldInput();

// Input the program makes itself as a hand would (a screen reader's click), queued behind the
// window system's own and paced alike. Does nothing where the pacer is not installed.
void offerHandInput(const PacedEvent& e);
// Where the window system's pointer is in the window, so that made input can put it back.
bool realPointer(double& x, double& y);
// Whether a person holds the left button (or a finger) down on the window now: input made for a
// screen reader then would cut into what the hand is doing, so none is made.
bool handHoldsButton();

// Tab, the arrows, Space and Enter, and a game controller move the focus and operate what has it
// (navigation.h), once the pacer is installed: keys as the window system reports them, the
// controller read after each frame (in releaseHeldInput). state, clock and nav must live as long
// as the loop; the frame draws nav.viewing.
void startNavigation(const DemoState& state, const LoopClock& clock, Navigation& nav);

// Plays or pauses the animation strip, for a screen reader's action on it.
void toggleAnimationPause();

// A screen reader moved its focus to node i of the screen's description (by focusing or
// operating it): the keyboard's focus goes there too, so Tab goes on from where the reader is.
void keyboardFollowsReader(int i);

// Joins the desktop's accessibility bus, once the window is open and the pacer installed. Where
// there is no bus, with NO_AT_BRIDGE=1, or where raylib hides its window system, it does nothing
// and says nothing. state and clock are read whenever a screen reader asks, so they must live as
// long as the loop.
void startAccessibility(const DemoState& state, const LoopClock& clock);

// After every frame, on the loop's own thread: tells listeners what changed, then answers what
// they asked since. Nobody asking costs one look at the bus; a reader asking is answered for at
// most a few milliseconds of the frame's idle time.
void serveAccessibility();

}  // namespace gui_demo
