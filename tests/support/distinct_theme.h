// A palette in which every field has a colour of its own. The default palette shares values
// between fields (accent, btn_pressed, slider_handle, checkbox_checked and input_active_border
// are all one colour), so only with this one does a draw step that reads the wrong field fail.
#pragma once

#include "widgets/widgets.h"

inline Theme distinctTheme() {
    Theme t{};
    Color* fields = &t.bg;
    for (int i = 0; i < 20; ++i) {
        fields[i] = Color{static_cast<unsigned char>(i + 1), static_cast<unsigned char>(100 + i),
                          static_cast<unsigned char>(200 - i), 255};
    }
    return t;
}
