// gui_demo::main(): the desktop program's start-up, loop and end, the same on every desktop
// platform; what the platform supplies beyond raylib is in platform.h.
#include "demo.h"
#include "em_dash_glyph.h"
#include "navigation.h"
#include "platform.h"

namespace gui_demo {

int main() {
    InitWindow(1280, 720, window_title);
    // Without a window every later library call would reach into a context that does not exist
    // (CloseWindow itself crashes), so this is the one call whose outcome is checked.
    if (!IsWindowReady()) {
        reportNoWindow();
        return 1;
    }
    SetTargetFPS(60);
    SetWindowState(FLAG_WINDOW_RESIZABLE);
    addEmDashGlyph();
    // Every click and keystroke reaches a frame of its own, in order; released after each frame,
    // what the pacer held back is seen by the next frame's snapshot.
    installInputPacing();
    const Theme theme = Theme::defaults();
    DemoState state = initialState();
    LoopClock clock;
    // The keyboard and a game controller operate the widgets through the pacer too.
    Navigation nav;
    startNavigation(state, clock, nav);
    // Screen readers read the screen's description and act through the pacer, between frames.
    startAccessibility(state, clock);
    // Escape and the window's close button both end the loop, after the frame in progress.
    while (!WindowShouldClose()) {
        runFrame(state, clock, theme, nav.viewing);
        releaseHeldInput();
        serveAccessibility();
    }
    CloseWindow();
    return 0;
}

}  // namespace gui_demo
