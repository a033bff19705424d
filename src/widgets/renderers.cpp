#include <algorithm>
#include <cstring>

#include "pixel.h"
#include "widgets.h"

namespace {

constexpr int font_size = 18;
constexpr Color tick_white = {255, 255, 255, 255};

// Text is placed by treating the font size as the text height.
int textTop(int y, int h) { return y + (h - font_size) / 2; }

}  // namespace

void drawPanel(int x, int y, int w, int h, const Theme& theme) {
    DrawRectangle(x, y, w, h, theme.panel_bg);
    DrawRectangleLines(x, y, w, h, theme.panel_border);
}

void drawButton(int x, int y, int w, int h, const char* label, bool is_hover, bool is_pressed,
                const Theme& theme) {
    // Pressed wins over hover: a press dragged off the button still looks pressed.
    const Color bg = is_pressed ? theme.btn_pressed : is_hover ? theme.btn_hover : theme.btn_normal;
    DrawRectangle(x, y, w, h, bg);
    DrawRectangleLines(x, y, w, h, theme.panel_border);
    const int label_width = MeasureText(label, font_size);
    DrawText(label, x + (w - label_width) / 2, textTop(y, h), font_size, theme.btn_text);
}

void drawCheckbox(int x, int y, int size, bool checked, bool is_hover, const Theme& theme) {
    const Color border = is_hover ? theme.accent : theme.panel_border;
    if (checked) {
        DrawRectangle(x, y, size, size, theme.checkbox_checked);
        // Down from the left middle to a low point one third across, then up to the top right.
        DrawLine(x + 4, y + size / 2, x + size / 3, y + size - 5, tick_white);
        DrawLine(x + size / 3, y + size - 5, x + size - 4, y + 4, tick_white);
    } else {
        DrawRectangle(x, y, size, size, theme.checkbox_empty);
    }
    // Last, so the border stays crisp over the fill and the tick's ends.
    DrawRectangleLines(x, y, size, size, border);
}

void drawRadioButton(int x, int y, int radius, bool selected, bool is_hover, const Theme& theme) {
    const Color border = is_hover ? theme.accent : theme.panel_border;
    DrawCircleLines(x + radius, y + radius, static_cast<float>(radius), border);
    if (selected) {
        // The 4 px gap is taken in whole pixels before the radius becomes a float.
        DrawCircle(x + radius, y + radius, static_cast<float>(radius - 4), theme.accent);
    }
}

SliderHandle sliderHandle(int x, int y, int w, int h, float val) {
    // Truncated, not rounded: 0.999 of 200 px fills 199 px.
    const int fill_w = truncToPixel(static_cast<float>(w) * val);
    return {fill_w, addPixels(x, fill_w), y + h / 2, h / 2 + 2};
}

void drawSlider(int x, int y, int w, int h, float val, const Theme& theme) {
    DrawRectangle(x, y + h / 3, w, h / 3, theme.slider_track);
    const SliderHandle handle = sliderHandle(x, y, w, h, val);
    DrawRectangle(x, y + h / 3, handle.fill_w, h / 3, theme.slider_fill);
    DrawCircle(handle.cx, handle.cy, static_cast<float>(handle.radius), theme.slider_handle);
}

void drawScrollBar(int x, int y, int w, int h, float offset, float content_ratio,
                   const Theme& theme) {
    DrawRectangle(x, y, w, h, theme.scroll_track);
    const int handle_h = truncToPixel(static_cast<float>(h) * content_ratio);
    const float max_offset = 1.0f - content_ratio;
    // The top limit first and the bottom one last, so that a ratio above 1 (no room to move) and
    // a NaN offset both leave the handle at the track's top rather than above it.
    float clamped_offset = offset > max_offset ? max_offset : offset;
    if (!(clamped_offset >= 0.0f)) clamped_offset = 0.0f;
    const int handle_y = addPixels(y, truncToPixel(clamped_offset * static_cast<float>(h)));
    DrawRectangle(x + 2, handle_y, w - 4, handle_h, theme.scroll_handle);
}

void drawInputField(int x, int y, int w, int h, const char* text, std::size_t text_len, bool active,
                    bool cursor_visible, const Theme& theme) {
    const Color border = active ? theme.input_active_border : theme.input_border;
    DrawRectangle(x, y, w, h, theme.input_bg);
    DrawRectangleLines(x, y, w, h, border);

    // The library draws zero-terminated text, so the bytes are copied next to a terminator.
    char buf[input_field_capacity + 1];
    const std::size_t len = text == nullptr ? 0 : std::min(text_len, input_field_capacity);
    std::memcpy(buf, text == nullptr ? "" : text, len);
    buf[len] = '\0';

    if (len > 0) {
        DrawText(buf, x + 8, textTop(y, h), font_size, theme.text_primary);
    } else if (!active) {
        DrawText("Type here...", x + 8, textTop(y, h), font_size, theme.text_secondary);
    }
    if (active && cursor_visible) {
        // Measured as drawn, so the cursor sits right after the last glyph.
        const int text_w = len > 0 ? MeasureText(buf, font_size) : 0;
        DrawLine(x + 8 + text_w, y + 6, x + 8 + text_w, y + h - 6, theme.accent);
    }
}
