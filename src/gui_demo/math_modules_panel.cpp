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
constexpr TextPlace title_at = {math_x + 10, math_y + 6, 16};
constexpr int math_line_x = math_x + 10;
constexpr int math_line_size = 13;

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
    drawText(math_title, title_at, theme.accent);
    int line_y = math_line_y;
    for (const char* line : math_modules) {
        drawText(line, {math_line_x, line_y, math_line_size}, theme.text_secondary);
        line_y += math_line_step;
    }
}

void describeMathModules(ScreenDescription& d) {
    addScreenText(d, ScreenRole::heading, math_title, title_at).level = 2;
    // The heading names the list; it has no caption of its own, and covers its lines.
    const int list = d.count;
    ScreenRect& list_rect = addScreenNode(d, ScreenRole::list, "").rect;
    int line_y = math_line_y;
    for (const char* line : math_modules) {
        const TextPlace at = {math_line_x, line_y, math_line_size};
        const ScreenRect& r = addScreenText(d, ScreenRole::list_item, line, at, list).rect;
        list_rect = line_y == math_line_y ? r : spanOf(list_rect, r);
        line_y += math_line_step;
    }
}

}  // namespace gui_demo
