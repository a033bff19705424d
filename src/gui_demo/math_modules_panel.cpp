// "Zelkor Math Modules": a static panel over the right end of the animation strip.
#include "demo.h"

namespace gui_demo {

namespace {

constexpr int math_x = 1020;
constexpr int math_y = 375;
constexpr int math_w = 250;
constexpr int math_h = 140;
constexpr int math_line_y = 403;
constexpr int math_line_step = 15;
constexpr char math_title[] = "Zelkor Math Modules";

// Names padded to 18 characters so the descriptions start in one column.
constexpr const char* math_modules[] = {
    "zelkor_math       (Vec/Mat/Quat)",   "zelkor_dual_quat  (SE3 motors)",
    "zelkor_sh         (Sph. Harmonics)", "zelkor_polyroot   (Ferrari deg4)",
    "zelkor_quasirandom(Sobol+Halton)",   "zelkor_archetype  (deformed tensor)",
    "zelkor_cordic     (shift-and-add)",  "zelkor_tensor     (Riemann+metric)",
};

}  // namespace

void drawMathModules(const Theme& theme) {
    drawPanel(math_x, math_y, math_w, math_h, theme);
    DrawText(math_title, math_x + 10, math_y + 6, 16, theme.accent);
    int line_y = math_line_y;
    for (const char* line : math_modules) {
        DrawText(line, math_x + 10, line_y, 13, theme.text_secondary);
        line_y += math_line_step;
    }
}

void describeMathModules(ScreenDescription& d) {
    addScreenNode(d, ScreenRole::heading, math_title).level = 2;
    // The heading names the list; it has no caption of its own.
    const int list = d.count;
    addScreenNode(d, ScreenRole::list, "");
    for (const char* line : math_modules) addScreenNode(d, ScreenRole::list_item, line, list);
}

}  // namespace gui_demo
