// The frame: timing, the input snapshot, then every update step, then every draw step.
#include <cstdio>
#include <cstring>

#include "demo.h"
#include "number_text.h"

namespace gui_demo {

namespace {

constexpr char default_input[] = "Zelkor Engine";

constexpr int fps_window = 30;  // frames per published average

// The toolchain that built this very file names itself in the second footer line.
#define GUI_DEMO_STR(x) #x
#define GUI_DEMO_VERSION(major, minor, patch) \
    GUI_DEMO_STR(major) "." GUI_DEMO_STR(minor) "." GUI_DEMO_STR(patch)
#if defined(__EMSCRIPTEN__)
#define GUI_DEMO_TOOLCHAIN \
    "Emscripten " GUI_DEMO_VERSION(__EMSCRIPTEN_major__, __EMSCRIPTEN_minor__, __EMSCRIPTEN_tiny__)
#elif defined(__clang__)
#define GUI_DEMO_TOOLCHAIN \
    "Clang " GUI_DEMO_VERSION(__clang_major__, __clang_minor__, __clang_patchlevel__)
#elif defined(__MINGW32__)
// Debian's MinGW-w64 GCC knows only its major version (__VERSION__ is "12-posix", the minor and
// patch macros are 0), so that is all the Windows build claims.
#define GUI_DEMO_MAJOR(major) GUI_DEMO_STR(major)
#define GUI_DEMO_TOOLCHAIN "MinGW-w64 GCC " GUI_DEMO_MAJOR(__GNUC__)
#elif defined(__GNUC__)
#define GUI_DEMO_TOOLCHAIN "GCC " GUI_DEMO_VERSION(__GNUC__, __GNUC_MINOR__, __GNUC_PATCHLEVEL__)
#else
#define GUI_DEMO_TOOLCHAIN "an unknown C++ compiler"
#endif

constexpr char title_line[] = "ZELKOR ENGINE — O3DE LyShine GUI Components Demo";

constexpr char footer_components[] =
    "O3DE LyShine: Button | Checkbox | Radio | Slider | Scroll | DragDrop | Text | Animation | "
    "Navigation | Render";
constexpr char footer_credits[] =
    "Zelkor Engine — Projective Geometry | Universal Math | " GUI_DEMO_TOOLCHAIN " | Raylib 6.0";
constexpr Color footer_credits_color = {60, 80, 100, 255};
constexpr TextPlace title_at = {20, 14, 22};
constexpr TextPlace readout_at = {1050, 18, 14};
constexpr TextPlace footer_components_at = {20, 530, 13};
constexpr TextPlace footer_credits_at = {20, 548, 13};

// "FPS: 60 | Time: 12.3s", zero-terminated in buf; the empty text should it not fit.
template <std::size_t size>
void formatReadout(char (&buf)[size], const DemoState& state, const LoopClock& clock) {
    char fps_digits[48];
    char time_digits[48];
    formatDecimal(fps_digits, sizeof fps_digits, state.avg_fps, 0);
    formatDecimal(time_digits, sizeof time_digits, clock.t, 1);
    const int n = std::snprintf(buf, size, "FPS: %s | Time: %ss", fps_digits, time_digits);
    if (n < 0 || n >= static_cast<int>(size)) buf[0] = '\0';
}

}  // namespace

DemoState initialState() {
    DemoState state;
    static_assert(sizeof default_input - 1 <= input_max_len);
    std::memcpy(state.input_text, default_input, sizeof default_input - 1);
    state.input_len = sizeof default_input - 1;
    return state;
}

bool advanceClock(LoopClock& clock, float dt) {
    clock.t += dt;
    clock.cursor_blink += dt;
    // Strictly above 1.0, and the overshoot is dropped: the cycle is a little over a second.
    if (clock.cursor_blink > 1.0f) clock.cursor_blink = 0.0f;
    return clock.cursor_blink < 0.5f;
}

void sampleFrameRate(DemoState& state, float dt) {
    // A frame without a positive dt still counts as one of the 30, pulling the mean down.
    if (dt > 0.0f) state.fps_accum += 1.0f / dt;
    state.fps_count += 1;
    if (state.fps_count >= fps_window) {
        // The mean of 30 per-frame rates, not 30 over the summed frame times.
        state.avg_fps = state.fps_accum / static_cast<float>(state.fps_count);
        state.fps_accum = 0.0f;
        state.fps_count = 0;
    }
}

Input readInput() {
    Input in;
    in.mouse_x = GetMouseX();
    in.mouse_y = GetMouseY();
    in.mouse_pressed = IsMouseButtonPressed(MOUSE_BUTTON_LEFT);
    in.mouse_down = IsMouseButtonDown(MOUSE_BUTTON_LEFT);
    in.mouse_released = IsMouseButtonReleased(MOUSE_BUTTON_LEFT);
    return in;
}

void drawTitle(const DemoState& state, const LoopClock& clock, const Theme& theme) {
    drawText(title_line, title_at, theme.accent);
    char fps_buf[64];
    formatReadout(fps_buf, state, clock);
    drawText(fps_buf, readout_at, theme.text_secondary);
}

void drawFooters(const Theme& theme) {
    drawText(footer_components, footer_components_at, theme.text_secondary);
    drawText(footer_credits, footer_credits_at, footer_credits_color);
}

void updatePanels(DemoState& state, const Input& in, float dt) {
    updateInteractables(state, in);
    updateScrollSlider(state, in);
    updateDragDrop(state, in);
    updateTextInput(state, in);
    // Last, so that during the draw phase anim_time equals t.
    state.anim_time += dt;
}

void drawFrame(const DemoState& state, const LoopClock& clock, const Input& in, bool cursor_visible,
               const Theme& theme, int marked) {
    BeginDrawing();
    ClearBackground(theme.bg);
    drawTitle(state, clock, theme);
    drawInteractables(state, in, theme);
    drawScrollSlider(state, theme);
    drawDragDrop(state, theme);
    drawTextInput(state, cursor_visible, theme);
    drawAnimation(state, theme);
    drawMathModules(theme);  // over the animation strip's right end
    drawFooters(theme);
    if (marked >= 0) {
        // Over everything, where the description places the widget now.
        ScreenDescription d;
        describeScreen(state, clock, d);
        if (marked < d.count) drawFocusMark(d.nodes[marked], theme);
    }
    EndDrawing();
}

float runningTime(const LoopClock& clock) { return clock.t; }

void describeScreen(const DemoState& state, const LoopClock& clock, ScreenDescription& d) {
    d.count = 0;
    d.overflowed = false;
    addScreenText(d, ScreenRole::heading, title_line, title_at).level = 1;
    ScreenNode& readout = addScreenNode(d, ScreenRole::text, "");
    formatReadout(readout.text, state, clock);
    readout.rect = textRect(readout.text, readout_at);

    describeInteractables(state, d);
    describeScrollSlider(state, d);
    describeDragDrop(state, d);
    describeTextInput(state, d);
    describeAnimation(d);
    describeMathModules(d);

    addScreenText(d, ScreenRole::text, footer_components, footer_components_at);
    addScreenText(d, ScreenRole::text, footer_credits, footer_credits_at);
}

void runFrame(DemoState& state, LoopClock& clock, const Theme& theme, const Viewing& viewing) {
    const float dt = GetFrameTime();
    const bool cursor_visible = advanceClock(clock, dt);
    sampleFrameRate(state, dt);
    const Input in = readInput();
    // dt drives nothing else in the update phase than the animation's time.
    updatePanels(state, in, viewing.animation_paused ? 0.0f : dt);
    drawFrame(state, clock, in, cursor_visible, theme, viewing.marked);
}

}  // namespace gui_demo
