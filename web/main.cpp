// The page's entry point. The browser, not a loop of ours, calls for each frame; the frame is the
// desktop program's own runFrame, with the same state, palette, update and draw steps.
//
// What differs from the desktop start-up, and why: no SetTargetFPS, since the browser paces
// frames to the display (and raylib would busy-wait for its own target on top); no resizable
// window, since the page scales the 1280 x 720 canvas itself; no WindowShouldClose, since a page
// ends when its tab closes. The page's input plumbing (index.html) makes every tap and click
// count and gives touch screens a keyboard; the frame itself is unchanged.
#include <emscripten/emscripten.h>

#include <cstdio>

#include "gui_demo/demo.h"
#include "gui_demo/em_dash_glyph.h"
#include "gui_demo/input_pacing.h"

namespace {

struct Page {
    Theme theme;
    gui_demo::DemoState state;
    gui_demo::LoopClock clock;
};

void frame(void* page) {
    Page& p = *static_cast<Page*>(page);
    gui_demo::runFrame(p.state, p.clock, p.theme);
}

// What of the page's input has reached raylib since the last frame. The script holds the events
// and replays them (index.html); the rules they wait by are the desktop's, asked of here.
gui_demo::PacingFrame pacing;

}  // namespace

// Whether an event may reach the program in this frame, by the desktop's pacing rules; if it may,
// it counts as having done so. kind, code and action are a PacedEvent's, with GLFW's key codes.
extern "C" EMSCRIPTEN_KEEPALIVE int gui_demo_pacing_let_through(int kind, int code, int action) {
    gui_demo::PacedEvent e;
    e.kind = static_cast<gui_demo::PacedEvent::Kind>(kind), e.code = code, e.action = action;
    return gui_demo::letThrough(pacing, e) ? 1 : 0;
}

// After each frame: what reaches raylib from now on is seen by the next one.
extern "C" EMSCRIPTEN_KEEPALIVE void gui_demo_pacing_next_frame() {
    pacing = gui_demo::PacingFrame{};
}

// The page asks, in the handler of a tap, whether the tap gives the text field its focus, so that
// it can raise a touch screen's keyboard there and then (index.html).
extern "C" EMSCRIPTEN_KEEPALIVE int gui_demo_on_text_field(int x, int y) {
    return gui_demo::isOverTextField(x, y) ? 1 : 0;
}

int main() {
    InitWindow(1280, 720, gui_demo::window_title);
    if (!IsWindowReady()) {
        std::fputs("gui_demo: could not open the canvas: the browser needs WebGL\n", stderr);
        return 1;
    }
    gui_demo::addEmDashGlyph();
    // Frames run after main has returned to the browser, so the state outlives main's stack.
    static Page page{Theme::defaults(), gui_demo::initialState(), {}};
    emscripten_set_main_loop_arg(frame, &page, 0, true);
    return 0;
}
