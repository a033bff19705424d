#include "demo.h"
#include "no_window.h"

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
    const Theme theme = Theme::defaults();
    DemoState state = initialState();
    LoopClock clock;
    // Escape and the window's close button both end the loop, after the frame in progress.
    while (!WindowShouldClose()) runFrame(state, clock, theme);
    CloseWindow();
    return 0;
}

}  // namespace gui_demo
