// "Interactables": a push button that counts clicks, three checkboxes and a radio group.
#include <cstddef>
#include <cstdio>
#include <limits>

#include "demo.h"

namespace gui_demo {

namespace {

constexpr int panel_x = 10;
constexpr int panel_y = 50;
constexpr int panel_w = 230;
constexpr int panel_h = 310;
constexpr char panel_title[] = "Interactables";

constexpr int btn_x = 30;
constexpr int btn_y = 70;
constexpr int btn_w = 180;
constexpr int btn_h = 40;

constexpr int cb_y_base = 130;
constexpr int cb_size = 22;
constexpr int cb1_x = 30;
constexpr int cb_step = 35;
constexpr int cb_label_x = 62;

constexpr int rb_x = 30;
constexpr int rb_y_base = 270;
constexpr int rb_radius = 11;
constexpr int rb_size = 2 * rb_radius;  // the hit area is the ring's bounding square
constexpr int rb_step = 35;
constexpr int rb_label_x = 62;

constexpr int checkbox_count = 3;
constexpr const char* checkbox_labels[checkbox_count] = {"Projective Geometry", "Dual Quaternions",
                                                         "Archetype Algebra"};
constexpr std::uint32_t radio_count = 3;
constexpr const char* radio_labels[radio_count] = {"Wireframe", "Solid", "Instanced"};
constexpr char btn_label[] = "Click Me";
constexpr char cb_caption[] = "Checkboxes:";
constexpr char rb_caption[] = "Render Mode:";

// Where the texts are drawn: corner and font size.
constexpr TextPlace title_at = {panel_x + 10, panel_y + 6, 16};
constexpr TextPlace count_at = {30, 115, 14};
constexpr TextPlace cb_caption_at = {30, 112, 14};
constexpr TextPlace rb_caption_at = {30, 252, 14};
constexpr int label_size = 16;

bool buttonHover(const Input& in) {
    return isInside(in.mouse_x, in.mouse_y, btn_x, btn_y, btn_w, btn_h);
}

int checkboxTop(int i) { return cb_y_base + cb_step * i; }

bool checkboxHover(const Input& in, int i) {
    return isInside(in.mouse_x, in.mouse_y, cb1_x, checkboxTop(i), cb_size, cb_size);
}

int radioTop(std::uint32_t i) { return rb_y_base + rb_step * static_cast<int>(i); }

// A check box's or a radio button's label, beside it.
TextPlace checkboxLabelAt(int i) { return {cb_label_x, checkboxTop(i) + 2, label_size}; }
TextPlace radioLabelAt(std::uint32_t i) { return {rb_label_x, radioTop(i) + 2, label_size}; }

bool radioHover(const Input& in, std::uint32_t i) {
    return isInside(in.mouse_x, in.mouse_y, rb_x, radioTop(i), rb_size, rb_size);
}

// "Clicks: N", zero-terminated in buf; the empty text should it not fit.
template <std::size_t size>
void formatClickCount(char (&buf)[size], std::uint32_t count) {
    const int n = std::snprintf(buf, size, "Clicks: %u", static_cast<unsigned>(count));
    if (n < 0 || n >= static_cast<int>(size)) buf[0] = '\0';
}

}  // namespace

void updateInteractables(DemoState& state, const Input& in) {
    // A click counts on the press alone: holding does not repeat, and a press that begins
    // elsewhere does not count when dragged over the button.
    const bool btn_hover = buttonHover(in);
    if (btn_hover && in.mouse_pressed &&
        state.btn_click_count < std::numeric_limits<std::uint32_t>::max()) {
        state.btn_click_count += 1;  // stays at its maximum rather than wrapping to 0
    }
    state.hover_btn = btn_hover ? 0 : -1;

    bool* const checkboxes[checkbox_count] = {&state.checkbox1, &state.checkbox2, &state.checkbox3};
    for (int i = 0; i < checkbox_count; ++i) {
        if (checkboxHover(in, i) && in.mouse_pressed) *checkboxes[i] = !*checkboxes[i];
    }

    for (std::uint32_t i = 0; i < radio_count; ++i) {
        if (radioHover(in, i) && in.mouse_pressed) state.radio_selected = i + 1;
    }
}

void drawInteractables(const DemoState& state, const Input& in, const Theme& theme) {
    drawPanel(panel_x, panel_y, panel_w, panel_h, theme);
    drawText(panel_title, title_at, theme.accent);

    // Pressed whenever the button is held over it, wherever the press began.
    const bool btn_hover = buttonHover(in);
    drawButton(btn_x, btn_y, btn_w, btn_h, btn_label, btn_hover, btn_hover && in.mouse_down, theme);

    char count_buf[64];
    formatClickCount(count_buf, state.btn_click_count);
    drawText(count_buf, count_at, theme.text_secondary);
    // Drawn after the click count, which it overlaps.
    drawText(cb_caption, cb_caption_at, theme.text_secondary);

    const bool checked[checkbox_count] = {state.checkbox1, state.checkbox2, state.checkbox3};
    for (int i = 0; i < checkbox_count; ++i) {
        drawCheckbox(cb1_x, checkboxTop(i), cb_size, checked[i], checkboxHover(in, i), theme);
        drawText(checkbox_labels[i], checkboxLabelAt(i), theme.text_primary);
    }

    drawText(rb_caption, rb_caption_at, theme.text_secondary);
    for (std::uint32_t i = 0; i < radio_count; ++i) {
        drawRadioButton(rb_x, radioTop(i), rb_radius, state.radio_selected == i + 1,
                        radioHover(in, i), theme);
        drawText(radio_labels[i], radioLabelAt(i), theme.text_primary);
    }
}

void describeInteractables(const DemoState& state, ScreenDescription& d) {
    addScreenText(d, ScreenRole::heading, panel_title, title_at).level = 2;

    ScreenNode& button = addScreenNode(d, ScreenRole::button, btn_label);
    button.rect = {btn_x, btn_y, btn_w, btn_h};
    button.press = centreOf(button.rect);
    formatClickCount(button.text, state.btn_click_count);

    addScreenText(d, ScreenRole::text, cb_caption, cb_caption_at);
    const bool checked[checkbox_count] = {state.checkbox1, state.checkbox2, state.checkbox3};
    for (int i = 0; i < checkbox_count; ++i) {
        ScreenNode& box = addScreenNode(d, ScreenRole::check_box, checkbox_labels[i]);
        box.rect = {cb1_x, checkboxTop(i), cb_size, cb_size};
        box.press = centreOf(box.rect);
        box.checked = checked[i];
    }

    // The group covers its caption and its items with their labels.
    const int group = d.count;
    ScreenRect& group_rect =
        addScreenText(d, ScreenRole::radio_group, rb_caption, rb_caption_at).rect;
    for (std::uint32_t i = 0; i < radio_count; ++i) {
        ScreenNode& item = addScreenNode(d, ScreenRole::radio_button, radio_labels[i], group);
        item.rect = {rb_x, radioTop(i), rb_size, rb_size};
        item.press = centreOf(item.rect);
        item.checked = state.radio_selected == i + 1;
        group_rect =
            spanOf(spanOf(group_rect, item.rect), textRect(radio_labels[i], radioLabelAt(i)));
    }
}

}  // namespace gui_demo
