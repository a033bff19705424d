// Expected draw calls, written the way a test reads: rect(30, 70, 180, 40, theme.btn_normal).
#pragma once

#include <algorithm>
#include <cstring>
#include <ostream>
#include <vector>

#include "fake_raylib.h"

// raylib's Color is a global C struct, so its comparison and printing live beside it.
inline bool operator==(const Color& a, const Color& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

inline void PrintTo(const Color& c, std::ostream* os) {
    *os << "rgba(" << int{c.r} << "," << int{c.g} << "," << int{c.b} << "," << int{c.a} << ")";
}

namespace fake {

inline bool operator==(const Call& x, const Call& y) {
    return x.op == y.op && x.a == y.a && x.b == y.b && x.c == y.c && x.d == y.d &&
           x.radius == y.radius && x.color == y.color && std::strcmp(x.text, y.text) == 0;
}

inline void PrintTo(const Call& c, std::ostream* os) {
    static const char* const names[] = {
        "InitWindow", "SetTargetFPS",    "SetWindowState", "CloseWindow",        "BeginDrawing",
        "EndDrawing", "ClearBackground", "DrawRectangle",  "DrawRectangleLines", "DrawLine",
        "DrawCircle", "DrawCircleLines", "DrawText",       "MeasureText"};
    *os << names[static_cast<int>(c.op)] << "(";
    if (c.text[0] != '\0') *os << '"' << c.text << "\", ";
    *os << c.a << ", " << c.b << ", " << c.c << ", " << c.d << ", r=" << c.radius << ", rgba("
        << int{c.color.r} << "," << int{c.color.g} << "," << int{c.color.b} << "," << int{c.color.a}
        << "))";
}

inline Call make(Op op, int a, int b, int c, int d, Color color, float radius = 0.0f,
                 const char* text = "") {
    Call call{op};
    call.a = a, call.b = b, call.c = c, call.d = d;
    call.color = color;
    call.radius = radius;
    const std::size_t n = std::min(std::strlen(text), text_capacity - 1);
    std::memcpy(call.text, text, n);
    return call;
}

inline Call rect(int x, int y, int w, int h, Color c) {
    return make(Op::DrawRectangle, x, y, w, h, c);
}
inline Call rectLines(int x, int y, int w, int h, Color c) {
    return make(Op::DrawRectangleLines, x, y, w, h, c);
}
inline Call line(int x1, int y1, int x2, int y2, Color c) {
    return make(Op::DrawLine, x1, y1, x2, y2, c);
}
inline Call circle(int x, int y, float r, Color c) {
    return make(Op::DrawCircle, x, y, 0, 0, c, r);
}
inline Call circleLines(int x, int y, float r, Color c) {
    return make(Op::DrawCircleLines, x, y, 0, 0, c, r);
}
inline Call text(const char* s, int x, int y, int size, Color c) {
    return make(Op::DrawText, x, y, size, 0, c, 0.0f, s);
}
inline Call measure(const char* s, int size) {
    return make(Op::MeasureText, 0, 0, size, 0, Color{}, 0.0f, s);
}

// The recorded calls of one kind, in order.
inline std::vector<Call> callsOf(Op op) {
    std::vector<Call> out;
    for (const Call& c : calls()) {
        if (c.op == op) out.push_back(c);
    }
    return out;
}

// The first call of this kind whose first two arguments are (a, b), or nullptr.
inline const Call* findAt(Op op, int a, int b) {
    for (const Call& c : calls()) {
        if (c.op == op && c.a == a && c.b == b) return &c;
    }
    return nullptr;
}

// The colour of the first call of this kind at (a, b); magenta when there is none.
inline Color colorAt(Op op, int a, int b) {
    const Call* c = findAt(op, a, b);
    return c != nullptr ? c->color : Color{255, 0, 255, 0};
}

// The first DrawText of exactly this text, or nullptr.
inline const Call* findText(const char* s) {
    for (const Call& c : calls()) {
        if (c.op == Op::DrawText && std::strcmp(c.text, s) == 0) return &c;
    }
    return nullptr;
}

}  // namespace fake
