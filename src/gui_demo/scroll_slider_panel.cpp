// "Scroll & Slider": three sliders with their values, a scroll bar and a fixed log listing.
#include <algorithm>
#include <cstdio>
#include <iterator>

#include "demo.h"
#include "number_text.h"

namespace gui_demo {

namespace {

constexpr int panel_x = 250;
constexpr int panel_y = 50;
constexpr int panel_w = 260;
constexpr int panel_h = 310;
constexpr char panel_title[] = "Scroll & Slider";

constexpr int sl_x = 260;
constexpr int sl_w = 200;
constexpr int sl_h = 24;
constexpr int sl1_y = 70;
constexpr int sl2_y = 120;
constexpr int sl3_y = 170;
constexpr int sl_value_x = 468;

constexpr int scr_x = 470;
constexpr int scr_y = 70;
constexpr int scr_w = 20;
constexpr int scr_h = 280;
constexpr float scr_content_ratio = 0.3f;
constexpr char scr_caption[] = "Scroll";

constexpr int scroll_content_x = 260;
constexpr int scroll_content_y = 220;
constexpr int log_line_step = 16;
constexpr int log_bottom = 355;  // lines starting at or below this row are not drawn
constexpr char log_caption[] = "Log Output:";

// Where the panel's own texts are drawn: corner and font size.
constexpr TextPlace title_at = {panel_x + 10, panel_y + 6, 16};
constexpr TextPlace log_caption_at = {scroll_content_x, scroll_content_y, 14};
constexpr int log_line_size = 13;

// Twelve entries, of which only the first eight fit above log_bottom.
constexpr const char* log_lines[] = {
    "[Zelkor] Engine initialized", "[Zelkor] GPU: GTX 1060",    "[Zelkor] OpenGL 3.3 loaded",
    "[Zelkor] SH math: L0-L4",     "[Zelkor] DualQuat: SE(3)",  "[Zelkor] Sobol: 15D",
    "[Zelkor] CORDIC ready",       "[Zelkor] Archetype loaded", "[Zelkor] Tensor algebra OK",
    "[Zelkor] PolyRoot: deg 4",    "[Zelkor] GUI: 13 modules",  "[Zelkor] All tests pass",
};
constexpr int log_line_count = static_cast<int>(std::size(log_lines));

struct Slider {
    int top;
    const char* caption;
};
constexpr Slider sliders[] = {
    {sl1_y, "Rotation Speed"}, {sl2_y, "Field of View"}, {sl3_y, "Exposure"}};

// The log's line i, and whether it is drawn: only those that start above log_bottom are.
int logLineY(int i) { return scroll_content_y + 20 + log_line_step * i; }
bool logLineDrawn(int i) { return logLineY(i) < log_bottom; }
TextPlace logLineAt(int i) { return {scroll_content_x, logLineY(i), log_line_size}; }

// Follows the held button while the pointer is over the track, wherever the press began; there
// is no capture, so the value stops following once the pointer leaves the track.
void updateSlider(float& val, int top, const Input& in) {
    if (isInside(in.mouse_x, in.mouse_y, sl_x, top, sl_w, sl_h) && in.mouse_down) {
        val = std::clamp(static_cast<float>(in.mouse_x - sl_x) / static_cast<float>(sl_w), 0.0f,
                         1.0f);
    }
}

}  // namespace

void updateScrollSlider(DemoState& state, const Input& in) {
    updateSlider(state.slider1_val, sl1_y, in);
    updateSlider(state.slider2_val, sl2_y, in);
    updateSlider(state.slider3_val, sl3_y, in);

    // The pointer's row sets the offset directly; no grab point on the handle is kept.
    if (isInside(in.mouse_x, in.mouse_y, scr_x, scr_y, scr_w, scr_h) && in.mouse_down) {
        state.scroll_offset = std::clamp(
            static_cast<float>(in.mouse_y - scr_y) / static_cast<float>(scr_h), 0.0f, 1.0f);
    }
}

void drawScrollSlider(const DemoState& state, const Theme& theme) {
    drawPanel(panel_x, panel_y, panel_w, panel_h, theme);
    drawText(panel_title, title_at, theme.accent);

    const float values[] = {state.slider1_val, state.slider2_val, state.slider3_val};
    for (int i = 0; i < 3; ++i) {
        DrawText(sliders[i].caption, sl_x, sliders[i].top - 18, 14, theme.text_secondary);
        drawSlider(sl_x, sliders[i].top, sl_w, sl_h, values[i], theme);
        char sl_buf[32];
        formatDecimal(sl_buf, sizeof sl_buf, values[i], 2);
        DrawText(sl_buf, sl_value_x, sliders[i].top + 3, 14, theme.text_primary);
    }

    DrawText(scr_caption, 460, 52, 14, theme.text_secondary);
    // After the value texts: the bar covers the part of them that reaches into its column.
    drawScrollBar(scr_x, scr_y, scr_w, scr_h, state.scroll_offset, scr_content_ratio, theme);

    // The log does not scroll: the bar above moves only its own handle.
    drawText(log_caption, log_caption_at, theme.text_secondary);
    for (int i = 0; i < log_line_count; ++i) {
        if (logLineDrawn(i)) drawText(log_lines[i], logLineAt(i), theme.text_secondary);
    }
}

void describeScrollSlider(const DemoState& state, ScreenDescription& d) {
    addScreenText(d, ScreenRole::heading, panel_title, title_at).level = 2;

    // The sliders are named by their captions and read by their value texts, as drawn.
    const float values[] = {state.slider1_val, state.slider2_val, state.slider3_val};
    for (int i = 0; i < 3; ++i) {
        ScreenNode& slider = addScreenNode(d, ScreenRole::slider, sliders[i].caption);
        slider.rect = {sl_x, sliders[i].top, sl_w, sl_h};
        slider.press = centreOf(slider.rect);
        slider.value = values[i];
        formatDecimal(slider.text, sizeof slider.text, values[i], 2);
    }

    // No value is drawn for the bar; its handle's place is told as a share of the track.
    ScreenNode& bar = addScreenNode(d, ScreenRole::scroll_bar, scr_caption);
    bar.rect = {scr_x, scr_y, scr_w, scr_h};
    bar.press = centreOf(bar.rect);
    bar.vertical = true;
    bar.value = state.scroll_offset;
    char percent[16];
    formatDecimal(percent, sizeof percent, state.scroll_offset * 100.0f, 0);
    std::snprintf(bar.text, sizeof bar.text, "%s%%", percent);

    // The list covers its caption and its lines.
    const int list = d.count;
    ScreenRect& list_rect = addScreenText(d, ScreenRole::list, log_caption, log_caption_at).rect;
    for (int i = 0; i < log_line_count; ++i) {
        if (!logLineDrawn(i)) continue;
        list_rect =
            spanOf(list_rect,
                   addScreenText(d, ScreenRole::list_item, log_lines[i], logLineAt(i), list).rect);
    }
}

}  // namespace gui_demo
