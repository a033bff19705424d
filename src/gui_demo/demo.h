// The demo screen: its one state record, the per-frame input snapshot, and the update and draw
// steps of every panel, run by the frame loop in frame.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "../widgets/widgets.h"
#include "screen_description.h"

namespace gui_demo {

inline constexpr char window_title[] =
    "MERIDAX / Zelkor Engine — GUI Demo (O3DE LyShine Components)";

inline constexpr std::size_t input_text_size = 64;
// One byte short of the array, so a terminating zero always follows the text inside it.
inline constexpr std::size_t input_max_len = input_text_size - 1;

// All mutable screen state, owned by main() for the whole run and changed in place.
struct DemoState {
    std::uint32_t btn_click_count = 0;
    bool checkbox1 = false;
    bool checkbox2 = true;
    bool checkbox3 = false;
    std::uint32_t radio_selected = 1;  // 1 "Wireframe", 2 "Solid", 3 "Instanced"
    float slider1_val = 0.5f;          // "Rotation Speed"; also drives the bar wave
    float slider2_val = 0.25f;
    float slider3_val = 0.75f;
    float scroll_offset = 0.0f;
    float anim_time = 0.0f;
    float drag_x = 600.0f;
    float drag_y = 300.0f;
    bool is_dragging = false;
    unsigned char input_text[input_text_size] = {};  // every byte from input_len on is zero
    std::uint64_t input_len = 0;
    bool input_active = false;
    std::int32_t hover_btn = -1;
    std::int32_t hover_checkbox = -1;  // reserved: nothing writes or reads it after start-up
    float avg_fps = 0.0f;
    float fps_accum = 0.0f;
    std::uint32_t fps_count = 0;
};

// The state at start-up, with the default text in the input field.
DemoState initialState();

// The mouse as read once at the start of a frame. Every panel decides from these values only.
//
//   frame:           1     2     3 ... n     n+1
//   left button:     down  held  held  up    -
//   mouse_pressed:   yes   no    no    no    no
//   mouse_down:      yes   yes   yes   no    no
//   mouse_released:  no    no    no    yes   no
//
// Clicks count on the press (frame 1); only the end of a drag waits for the release.
struct Input {
    int mouse_x = 0;
    int mouse_y = 0;
    bool mouse_pressed = false;
    bool mouse_down = false;
    bool mouse_released = false;
};

// Values of main() that live across frames but are not screen state.
struct LoopClock {
    float t = 0.0f;             // seconds since the loop began, shown in the readout
    float cursor_blink = 0.0f;  // blink phase of the text cursor, 0..1 s
};

// What the keyboard and a game controller (navigation.h) give the frame: the node of the screen's
// description to draw the focus mark around, and whether the animation strip is paused. Mouse
// alone, it stays as it starts, and the frame is drawn exactly as without it.
struct Viewing {
    int marked = -1;  // -1: no mark
    bool animation_paused = false;
};

// The half-open hit rule every panel uses: left and top edges inside, right and bottom outside,
// no slack. Window pixels are ints; the drag panel tests its float box with the same rule.
template <typename T>
bool isInside(T px, T py, T x, T y, T w, T h) {
    return px >= x && px < x + w && py >= y && py < y + h;
}

// A text drawn at its place (TextPlace, screen_description.h), the one the description gives it.
inline void drawText(const char* words, TextPlace at, Color color) {
    DrawText(words, at.x, at.y, at.size, color);
}

// Advances t and the blink phase by dt; returns whether the cursor is shown this frame.
bool advanceClock(LoopClock& clock, float dt);

// Adds one frame's rate to the 30-frame mean, publishing avg_fps on every 30th frame.
void sampleFrameRate(DemoState& state, float dt);

Input readInput();

// One whole frame: timing, input snapshot, every update step, then every draw step. Paused, the
// animation's time stands still.
void runFrame(DemoState& state, LoopClock& clock, const Theme& theme, const Viewing& viewing = {});

// The update phase after the snapshot: every panel's update step, then the animation clock.
void updatePanels(DemoState& state, const Input& in, float dt);

// The draw phase, from BeginDrawing to EndDrawing; the focus mark last, around node marked of the
// screen's description, if any.
void drawFrame(const DemoState& state, const LoopClock& clock, const Input& in, bool cursor_visible,
               const Theme& theme, int marked = -1);

// The focus mark: a ring of focus_mark_color, focus_mark_width thick, around the widget with a
// band of the background between (focus_mark_gap wide) and an edge of it outside
// (focus_mark_edge), so the ring meets the background on both sides whatever lies around, and
// never covers the widget; a slider's ring holds its handle too.
inline constexpr Color focus_mark_color = {255, 213, 74, 255};
inline constexpr int focus_mark_gap = 3;
inline constexpr int focus_mark_width = 3;
inline constexpr int focus_mark_edge = 1;
void drawFocusMark(const ScreenNode& n, const Theme& theme);

// Panels, in the order the frame runs them. Update steps change state and never draw; draw steps
// draw and never change state.
void updateInteractables(DemoState& state, const Input& in);
void drawInteractables(const DemoState& state, const Input& in, const Theme& theme);

void updateScrollSlider(DemoState& state, const Input& in);
void drawScrollSlider(const DemoState& state, const Theme& theme);

void updateDragDrop(DemoState& state, const Input& in);
void drawDragDrop(const DemoState& state, const Theme& theme);

// Also reads the typed characters, Backspace and Enter while the field has focus.
void updateTextInput(DemoState& state, const Input& in);
// Whether a press at window pixel (x, y) gives the text field its focus. The page asks it too,
// to raise a touch screen's keyboard in the very handler of the tap.
bool isOverTextField(int x, int y);
// Whether the field keeps a typed character (printable ASCII); it keeps input_max_len of them.
bool fieldKeepsCharacter(int codepoint);
void drawTextInput(const DemoState& state, bool cursor_visible, const Theme& theme);

void drawAnimation(const DemoState& state, const Theme& theme);

void drawMathModules(const Theme& theme);

// The title line, the frame-rate readout and the two footer lines.
void drawTitle(const DemoState& state, const LoopClock& clock, const Theme& theme);
void drawFooters(const Theme& theme);

// The screen in words and places, as it stands after a frame: describeScreen
// (screen_description.h) adds every panel's own nodes, in the order a reader meets them.
void describeInteractables(const DemoState& state, ScreenDescription& d);
void describeScrollSlider(const DemoState& state, ScreenDescription& d);
void describeDragDrop(const DemoState& state, ScreenDescription& d);
void describeTextInput(const DemoState& state, ScreenDescription& d);
void describeAnimation(ScreenDescription& d);
void describeMathModules(ScreenDescription& d);

int main();

}  // namespace gui_demo
