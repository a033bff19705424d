// The focus mark, drawn around the widget the keyboard or a game controller has reached.
#include "demo.h"

namespace gui_demo {

namespace {

// A frame of the given width just outside r.
void drawFrameAround(const ScreenRect& r, int width, Color color) {
    DrawRectangle(r.x - width, r.y - width, r.w + 2 * width, width, color);  // top
    DrawRectangle(r.x - width, r.y + r.h, r.w + 2 * width, width, color);    // bottom
    DrawRectangle(r.x - width, r.y, width, r.h, color);                      // left
    DrawRectangle(r.x + r.w, r.y, width, r.h, color);                        // right
}

ScreenRect grown(const ScreenRect& r, int by) {
    return {r.x - by, r.y - by, r.w + 2 * by, r.h + 2 * by};
}

// What the mark goes around: the widget, and a slider's handle as well.
ScreenRect inside(const ScreenNode& n) {
    if (n.role != ScreenRole::slider) return n.rect;
    const ScreenRect& r = n.rect;
    const SliderHandle h = sliderHandle(r.x, r.y, r.w, r.h, n.value);
    return spanOf(r, {h.cx - h.radius, h.cy - h.radius, 2 * h.radius, 2 * h.radius});
}

}  // namespace

void drawFocusMark(const ScreenNode& n, const Theme& theme) {
    const ScreenRect around = inside(n);
    drawFrameAround(around, focus_mark_gap, theme.bg);
    drawFrameAround(grown(around, focus_mark_gap), focus_mark_width, focus_mark_color);
    drawFrameAround(grown(around, focus_mark_gap + focus_mark_width), focus_mark_edge, theme.bg);
}

}  // namespace gui_demo
