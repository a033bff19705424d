// A repeating 240-frame script of pointer input that works every interactive panel: a held
// button, a slider swept along its track, the box carried over the drop zone and back, the
// text field focused, and the scroll handle dragged. Shared by the allocation test and the
// benchmarks so they measure the same frames.
#pragma once

#include "fake_raylib.h"
#include "gui_demo/demo.h"

namespace workload {

inline constexpr int cycle = 240;

inline gui_demo::Input input(int frame) {
    const int f = frame % cycle;
    gui_demo::Input in;
    auto hold = [&](int x, int y, bool first) {
        in.mouse_x = x;
        in.mouse_y = y;
        in.mouse_pressed = first;
        in.mouse_down = true;
    };
    if (f < 40) {
        hold(120, 90, f == 0);  // "Click Me" held
    } else if (f < 80) {
        hold(260 + (f - 40) * 5, 82, f == 40);  // "Rotation Speed" swept left to right
    } else if (f < 140) {
        // The box picked up at its resting place, carried down over the zone and back.
        const int step = f - 80;
        const int dy = step < 30 ? step : 60 - step;
        hold(625 - dy, 325 - 3 * dy, f == 80);
    } else if (f < 200) {
        in.mouse_x = 800;  // the text field focused by a click, then the pointer rests on it
        in.mouse_y = 85;
        in.mouse_pressed = f == 140;
        in.mouse_down = f == 140;
    } else {
        hold(480, 70 + (f - 200) * 7, f == 200);  // the scroll handle dragged down
    }
    // Every segment's last frame lets go, so the next one starts with a fresh press.
    if (f == 39 || f == 79 || f == 139 || f == 141 || f == cycle - 1) {
        in.mouse_down = false;
        in.mouse_released = true;
        in.mouse_pressed = false;
    }
    return in;
}

// A character typed on this frame (0 for none) and whether Backspace goes down: the field takes
// letters and gives some back, so its text neither empties nor stays full.
inline int typed(int frame) {
    return frame % cycle >= 141 && frame % cycle < 200 ? 'a' + frame % 26 : 0;
}
inline bool backspace(int frame) { return typed(frame) != 0 && frame % 3 == 0; }

// The same frame as the recording stand-in's script, typed characters and Backspace included.
inline fake::Input script(int frame) {
    const gui_demo::Input in = input(frame);
    return fake::Input{.mouse_x = in.mouse_x,
                       .mouse_y = in.mouse_y,
                       .pressed = in.mouse_pressed,
                       .down = in.mouse_down,
                       .released = in.mouse_released,
                       .chars = {typed(frame)},
                       .backspace = backspace(frame)};
}

}  // namespace workload
