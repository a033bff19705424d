#include "widgets.h"

Theme Theme::defaults() {
    return Theme{
        .bg = {12, 12, 18, 255},
        .panel_bg = {22, 24, 32, 240},  // the only translucent colour: panels blend over bg
        .panel_border = {50, 55, 70, 255},
        .text_primary = {220, 225, 235, 255},
        .text_secondary = {140, 145, 160, 255},
        .accent = {80, 180, 255, 255},
        .btn_normal = {40, 44, 55, 255},
        .btn_hover = {55, 60, 75, 255},
        .btn_pressed = {80, 180, 255, 255},
        .btn_text = {220, 225, 235, 255},
        .slider_track = {35, 38, 48, 255},
        .slider_fill = {60, 140, 220, 255},
        .slider_handle = {80, 180, 255, 255},
        .checkbox_empty = {50, 55, 70, 255},
        .checkbox_checked = {80, 180, 255, 255},
        .scroll_track = {30, 33, 42, 255},
        .scroll_handle = {70, 75, 90, 255},
        .input_bg = {18, 20, 28, 255},
        .input_border = {50, 55, 70, 255},
        .input_active_border = {80, 180, 255, 255},
    };
}
