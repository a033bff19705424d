#include "fake_raylib.h"

#include <algorithm>
#include <cstring>

namespace fake {

namespace {

struct Recorder {
    std::vector<Call> calls;
    Input input;
    int next_char = 0;
    int frames_left = 0;
    bool recording = true;
    bool window_ready = true;
};

Recorder& recorder() {
    static Recorder r;
    return r;
}

Call& record(Op op) {
    Recorder& r = recorder();
    if (!r.recording) {
        static Call ignored{op};
        return ignored;
    }
    r.calls.push_back(Call{op});
    return r.calls.back();
}

void copyText(Call& call, const char* text) {
    if (!recorder().recording) return;
    const std::size_t n = std::min(std::strlen(text), text_capacity - 1);
    std::memcpy(call.text, text, n);
    call.text[n] = '\0';
}

}  // namespace

void reset() {
    Recorder& r = recorder();
    r.calls.clear();
    r.calls.reserve(16384);
    r.input = Input{};
    r.next_char = 0;
    r.frames_left = 0;
    r.recording = true;
    r.window_ready = true;
}

void clearCalls() { recorder().calls.clear(); }

const std::vector<Call>& calls() { return recorder().calls; }

void setInput(const Input& in) {
    recorder().input = in;
    recorder().next_char = 0;
}

void setRecording(bool on) { recorder().recording = on; }

void closeAfterFrames(int frames) { recorder().frames_left = frames; }

void setWindowReady(bool ready) { recorder().window_ready = ready; }

int pendingChars() {
    const Recorder& r = recorder();
    int n = 0;
    while (r.next_char + n < 16 && r.input.chars[r.next_char + n] != 0) ++n;
    return n;
}

}  // namespace fake

using fake::Op;
using fake::record;

extern "C" {

void InitWindow(int width, int height, const char* title) {
    fake::Call& c = record(Op::InitWindow);
    c.a = width;
    c.b = height;
    fake::copyText(c, title);
}

bool IsWindowReady(void) { return fake::recorder().window_ready; }

void SetTargetFPS(int fps) { record(Op::SetTargetFPS).a = fps; }

void SetWindowState(unsigned int flags) { record(Op::SetWindowState).a = static_cast<int>(flags); }

bool WindowShouldClose(void) {
    int& left = fake::recorder().frames_left;
    if (left <= 0) return true;
    --left;
    return false;
}

void CloseWindow(void) { record(Op::CloseWindow); }

float GetFrameTime(void) { return fake::recorder().input.dt; }

int GetMouseX(void) { return fake::recorder().input.mouse_x; }

int GetMouseY(void) { return fake::recorder().input.mouse_y; }

bool IsMouseButtonPressed(int button) {
    return button == MOUSE_BUTTON_LEFT && fake::recorder().input.pressed;
}

bool IsMouseButtonDown(int button) {
    return button == MOUSE_BUTTON_LEFT && fake::recorder().input.down;
}

bool IsMouseButtonReleased(int button) {
    return button == MOUSE_BUTTON_LEFT && fake::recorder().input.released;
}

int GetCharPressed(void) {
    fake::Recorder& r = fake::recorder();
    if (r.next_char >= 16 || r.input.chars[r.next_char] == 0) return 0;
    return r.input.chars[r.next_char++];
}

bool IsKeyPressed(int key) {
    const fake::Input& in = fake::recorder().input;
    return (key == KEY_BACKSPACE && in.backspace) || (key == KEY_ENTER && in.enter);
}

void BeginDrawing(void) { record(Op::BeginDrawing); }

void EndDrawing(void) { record(Op::EndDrawing); }

void ClearBackground(Color color) { record(Op::ClearBackground).color = color; }

void DrawRectangle(int x, int y, int w, int h, Color color) {
    fake::Call& c = record(Op::DrawRectangle);
    c.a = x, c.b = y, c.c = w, c.d = h, c.color = color;
}

void DrawRectangleLines(int x, int y, int w, int h, Color color) {
    fake::Call& c = record(Op::DrawRectangleLines);
    c.a = x, c.b = y, c.c = w, c.d = h, c.color = color;
}

void DrawLine(int x1, int y1, int x2, int y2, Color color) {
    fake::Call& c = record(Op::DrawLine);
    c.a = x1, c.b = y1, c.c = x2, c.d = y2, c.color = color;
}

void DrawCircle(int cx, int cy, float radius, Color color) {
    fake::Call& c = record(Op::DrawCircle);
    c.a = cx, c.b = cy, c.radius = radius, c.color = color;
}

void DrawCircleLines(int cx, int cy, float radius, Color color) {
    fake::Call& c = record(Op::DrawCircleLines);
    c.a = cx, c.b = cy, c.radius = radius, c.color = color;
}

void DrawText(const char* text, int x, int y, int font_size, Color color) {
    fake::Call& c = record(Op::DrawText);
    fake::copyText(c, text);
    c.a = x, c.b = y, c.c = font_size, c.color = color;
}

int MeasureText(const char* text, int font_size) {
    fake::Call& c = record(Op::MeasureText);
    fake::copyText(c, text);
    c.c = font_size;
    return static_cast<int>(std::strlen(text)) * 10;
}

}  // extern "C"

// The start-up's font work sees a font without a texture, as before any window opened, and
// leaves it alone; the image and texture calls below are never reached.
extern "C" {

Font GetFontDefault(void) { return Font{}; }
Image GenImageColor(int, int, Color) { return Image{}; }
void ImageFormat(Image*, int) {}
void ImageDrawRectangle(Image*, int, int, int, int, Color) {}
void UpdateTextureRec(Texture2D, Rectangle, const void*) {}
void UnloadImage(Image) {}

}  // extern "C"
