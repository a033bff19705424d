// "Drag & Drop": a box picked up by a press, carried centred on the pointer inside its area, and
// let go on release, over a drop zone that lights up while the box is carried over it.
#include <algorithm>
#include <cstdio>

#include "../widgets/pixel.h"
#include "demo.h"

namespace gui_demo {

namespace {

constexpr int panel_x = 520;
constexpr int panel_y = 50;
constexpr int panel_w = 220;
constexpr int panel_h = 310;
constexpr char panel_title[] = "Drag & Drop";

constexpr float drag_area_x = 520.0f;
constexpr float drag_area_y = 70.0f;
constexpr float drag_area_w = 200.0f;
constexpr float drag_area_h = 280.0f;
constexpr float drag_box_size = 50.0f;
constexpr float drag_half = drag_box_size / 2;  // carried by its centre

// The box's top-left corner stays within these, so the box never leaves the area.
constexpr float drag_min_x = drag_area_x;
constexpr float drag_max_x = drag_area_x + drag_area_w - drag_box_size;
constexpr float drag_min_y = drag_area_y;
constexpr float drag_max_y = drag_area_y + drag_area_h - drag_box_size;

constexpr int drop_x = 540;
constexpr int drop_y = 260;
constexpr int drop_w = 180;
constexpr int drop_h = 80;
constexpr Color drop_fill = {18, 20, 28, 200};  // translucent: the box shows through
constexpr char drag_label[] = "DRAG";
constexpr char drop_label[] = "Drop Zone";
constexpr TextPlace title_at = {panel_x + 10, panel_y + 6, 16};
constexpr TextPlace drop_label_at = {580, 290, 16};

// Where the box's centre is carried by one who cannot drag it by hand: the middle of the drop
// zone, or back out to the middle of the area above it.
constexpr ScreenPoint drop_centre = {drop_x + drop_w / 2, drop_y + drop_h / 2};
constexpr ScreenPoint above_drop_centre = {static_cast<int>(drag_area_x + drag_area_w / 2),
                                           static_cast<int>(drag_area_y + drop_y) / 2};

// The box as drawn: its position truncated to whole pixels.
ScreenRect boxRect(const DemoState& state) {
    const int box_size = static_cast<int>(drag_box_size);
    return {truncToPixel(state.drag_x), truncToPixel(state.drag_y), box_size, box_size};
}

// The box's centre, after this frame's update, lies in the drop zone.
bool boxOverDropZone(const DemoState& state) {
    return isInside(state.drag_x + drag_half, state.drag_y + drag_half, static_cast<float>(drop_x),
                    static_cast<float>(drop_y), static_cast<float>(drop_w),
                    static_cast<float>(drop_h));
}

}  // namespace

void updateDragDrop(DemoState& state, const Input& in) {
    const float px = static_cast<float>(in.mouse_x);
    const float py = static_cast<float>(in.mouse_y);

    // Tested against where the box stood at the end of the previous frame. Only a press that
    // lands on the box picks it up; sliding onto it with the button held does not.
    const bool in_drag_box =
        isInside(px, py, state.drag_x, state.drag_y, drag_box_size, drag_box_size);
    if (in_drag_box && in.mouse_pressed) state.is_dragging = true;

    // Runs in the pick-up frame too, so the box jumps to centre on the pointer at once.
    if (state.is_dragging && in.mouse_down) {
        state.drag_x = std::clamp(px - drag_half, drag_min_x, drag_max_x);
        state.drag_y = std::clamp(py - drag_half, drag_min_y, drag_max_y);
    }

    // Letting go only ends the drag: the box stays where it is.
    if (state.is_dragging && in.mouse_released) state.is_dragging = false;
}

void drawDragDrop(const DemoState& state, const Theme& theme) {
    drawPanel(panel_x, panel_y, panel_w, panel_h, theme);
    drawText(panel_title, title_at, theme.accent);
    DrawRectangleLines(static_cast<int>(drag_area_x), static_cast<int>(drag_area_y),
                       static_cast<int>(drag_area_w), static_cast<int>(drag_area_h),
                       theme.panel_border);

    const ScreenRect box = boxRect(state);
    const Color drag_color = state.is_dragging ? theme.accent : theme.btn_normal;
    DrawRectangle(box.x, box.y, box.w, box.h, drag_color);
    DrawRectangleLines(box.x, box.y, box.w, box.h, theme.panel_border);
    DrawText(drag_label, box.x + 6, box.y + 16, 14, theme.btn_text);

    const bool in_drop = boxOverDropZone(state);
    const Color drop_border = in_drop && state.is_dragging ? theme.accent : theme.panel_border;
    // After the box, so the zone's translucent fill and label lie over it.
    DrawRectangle(drop_x, drop_y, drop_w, drop_h, drop_fill);
    DrawRectangleLines(drop_x, drop_y, drop_w, drop_h, drop_border);
    drawText(drop_label, drop_label_at, theme.text_secondary);
}

void describeDragDrop(const DemoState& state, ScreenDescription& d) {
    addScreenText(d, ScreenRole::heading, panel_title, title_at).level = 2;

    ScreenNode& box = addScreenNode(d, ScreenRole::drag_box, drag_label);
    box.rect = boxRect(state);
    box.press = centreOf(box.rect);
    box.carried = state.is_dragging;
    box.over_drop_zone = boxOverDropZone(state);
    box.carry_to = box.over_drop_zone ? above_drop_centre : drop_centre;
    std::snprintf(box.text, sizeof box.text, "%s%s", box.carried ? "carried " : "",
                  box.over_drop_zone ? "over the drop zone" : "outside the drop zone");

    addScreenText(d, ScreenRole::text, drop_label, drop_label_at);
}

}  // namespace gui_demo
