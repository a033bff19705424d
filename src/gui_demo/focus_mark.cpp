// The focus mark, drawn around the widget the keyboard or a game controller has reached.
#include "../widgets/pixel.h"
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

}  // namespace

ScreenRect focusMarkInside(const ScreenNode& n) {
    if (n.role != ScreenRole::slider) return n.rect;
    // The handle, a circle two pixels taller than the track's box, stands on the filled width.
    const int radius = n.rect.h / 2 + 2;
    const int handle_x = n.rect.x + truncToPixel(static_cast<float>(n.rect.w) * n.value);
    const ScreenRect handle = {handle_x - radius, n.rect.y + n.rect.h / 2 - radius, 2 * radius,
                               2 * radius};
    return spanOf(n.rect, handle);
}

void drawFocusMark(const ScreenNode& n, const Theme& theme) {
    const ScreenRect inside = focusMarkInside(n);
    drawFrameAround(inside, focus_mark_gap, theme.bg);
    drawFrameAround(grown(inside, focus_mark_gap), focus_mark_width, focus_mark_color);
    drawFrameAround(grown(inside, focus_mark_gap + focus_mark_width), focus_mark_edge, theme.bg);
}

}  // namespace gui_demo
