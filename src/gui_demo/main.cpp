#include "demo.h"

namespace gui_demo {

int main() {
    InitWindow(1280, 720, "MERIDAX / Zelkor Engine — GUI Demo (O3DE LyShine Components)");
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
