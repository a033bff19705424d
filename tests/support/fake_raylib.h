// A recording stand-in for the raylib functions the program calls, linked in place of the real
// library. Drawing and window calls are recorded with their arguments; input calls answer from a
// script the test sets frame by frame. It allocates nothing once reset() has run, so it can sit
// under an allocation count.
#pragma once

#include <cstddef>
#include <vector>

#include <raylib.h>

namespace fake {

enum class Op {
    InitWindow,
    SetTargetFPS,
    SetWindowState,
    CloseWindow,
    BeginDrawing,
    EndDrawing,
    ClearBackground,
    DrawRectangle,
    DrawRectangleLines,
    DrawLine,
    DrawCircle,
    DrawCircleLines,
    DrawText,
    MeasureText,
};

inline constexpr std::size_t text_capacity = 160;

// One recorded call. Integer arguments in the order the function takes them go to a, b, c, d
// (DrawText: x, y, font size; MeasureText: font size); radius is the circles' float argument.
struct Call {
    Op op;
    int a = 0, b = 0, c = 0, d = 0;
    float radius = 0.0f;
    Color color{};
    char text[text_capacity] = {};  // DrawText, MeasureText, InitWindow; cut to fit
};

// What the input functions answer during one frame.
struct Input {
    float dt = 1.0f / 60.0f;
    int mouse_x = 0;
    int mouse_y = 0;
    bool pressed = false;   // left button went down this frame
    bool down = false;      // left button held
    bool released = false;  // left button went up this frame
    int chars[16] = {};     // typed code points, ended by the first 0
    bool backspace = false;
    bool enter = false;
};

// Forgets every call and sets the script back to an idle pointer at (0, 0). MeasureText
// answers 10 px per byte, whatever the font size.
void reset();
void clearCalls();
const std::vector<Call>& calls();

// Input for the next frame; the character queue is refilled from in.chars.
void setInput(const Input& in);

// With recording off, drawing calls do nothing at all: for measuring the caller's own cost.
void setRecording(bool on);

// WindowShouldClose answers false this many times, then true.
void closeAfterFrames(int frames);

// What IsWindowReady answers; reset() sets it back to true.
void setWindowReady(bool ready);

// Calls that GetCharPressed would still answer this frame.
int pendingChars();

}  // namespace fake
