// The widget kit: one palette and seven stateless immediate-mode renderers.
//
// Provides: a panel, a push button, a checkbox, a radio button, a horizontal slider, a vertical
// scroll bar and a single-line text input field. Each renderer draws its widget from plain
// arguments (position first, then size, then the widget's state, then the theme) with raylib's
// 2-D primitives and the default font, and returns nothing.
//
// Does not provide: hit testing, hover or press detection, or any state. Callers work those out
// from their own input snapshot and pass the outcome in as flags. No renderer reads the mouse or
// keyboard, keeps anything between calls or allocates.
//
// Limitations: no text selection, clipboard, cursor movement or key repeat; no clipping or
// scrolling of text (a long text runs past its box); no DPI scaling; sizes are literal pixels.
#pragma once

#include <cstddef>

#include <raylib.h>

struct Theme {
    Color bg;
    Color panel_bg;
    Color panel_border;
    Color text_primary;
    Color text_secondary;
    Color accent;
    Color btn_normal;
    Color btn_hover;
    Color btn_pressed;
    Color btn_text;
    Color slider_track;
    Color slider_fill;
    Color slider_handle;
    Color checkbox_empty;
    Color checkbox_checked;
    Color scroll_track;
    Color scroll_handle;
    Color input_bg;
    Color input_border;
    Color input_active_border;

    // The dark blue-grey palette with its single light-blue accent.
    static Theme defaults();
};

// Longest text drawInputField draws; longer texts are cut to this many bytes.
inline constexpr std::size_t input_field_capacity = 64;

void drawPanel(int x, int y, int w, int h, const Theme& theme);

// The label is centred on the button by its measured width; it may start left of x when wider.
void drawButton(int x, int y, int w, int h, const char* label, bool is_hover, bool is_pressed,
                const Theme& theme);

void drawCheckbox(int x, int y, int size, bool checked, bool is_hover, const Theme& theme);

// (x, y) is the top-left corner of the ring's bounding square; the centre is (x + r, y + r).
void drawRadioButton(int x, int y, int radius, bool selected, bool is_hover, const Theme& theme);

// val is the filled fraction, expected within 0..1; it is not clamped.
void drawSlider(int x, int y, int w, int h, float val, const Theme& theme);

// Where drawSlider draws the fill's end and the handle: a circle centred there, two pixels taller
// than the track's box, so whatever is drawn around a slider can keep clear of it.
struct SliderHandle {
    int fill_w = 0;
    int cx = 0, cy = 0, radius = 0;
};
SliderHandle sliderHandle(int x, int y, int w, int h, float val);

// offset is the handle's top as a fraction of the track; the handle never leaves the track.
void drawScrollBar(int x, int y, int w, int h, float offset, float content_ratio,
                   const Theme& theme);

// text is text_len bytes, not necessarily zero-terminated; at most input_field_capacity are drawn.
void drawInputField(int x, int y, int w, int h, const char* text, std::size_t text_len, bool active,
                    bool cursor_visible, const Theme& theme);
