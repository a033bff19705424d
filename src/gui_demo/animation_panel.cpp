// "Animation Preview": a wave of 32 three-segment bars whose phase follows the running time
// scaled by the "Rotation Speed" slider, and an orbit figure with a fading trail.
//
// Everything is recomputed from anim_time and slider1_val each frame, in 32-bit floats with
// single-precision sine and cosine; every float-to-pixel conversion truncates toward zero.
#include <cmath>

#include "../widgets/pixel.h"
#include "demo.h"

namespace gui_demo {

namespace {

constexpr int panel_x = 10;
constexpr int panel_y = 375;
constexpr int panel_w = 1260;
constexpr int panel_h = 140;
constexpr char panel_title[] = "Animation Preview (O3DE UiAnimation)";
constexpr TextPlace title_at = {panel_x + 10, panel_y + 6, 16};
// What a reader is told of the strip, which is all motion and no words.
constexpr char strip_description[] =
    "A wave of 32 bars that moves faster the higher Rotation Speed stands, and a dot circling an "
    "orbit with a fading trail, around a smaller, faster dot";

constexpr unsigned bar_count = 32;
constexpr float bar_width = 38.0f;  // pitch; each bar is 2 px narrower
constexpr int bar_draw_w = 36;
constexpr int bar_left = 20;
constexpr int base_y = 500;  // the segments grow upward from here
constexpr Color bar_bottom = {60, 140, 220, 200};
constexpr Color bar_middle = {40, 200, 180, 200};
constexpr Color bar_top = {80, 180, 255, 150};

constexpr int orbit_ring_x = 1100;
constexpr int orbit_ring_y = 445;
constexpr float orbit_cx = 1100.0f;
constexpr float orbit_cy = 445.0f;
constexpr float orbit_r = 40.0f;
constexpr float inner_r = 20.0f;
constexpr Color inner_dot = {255, 180, 50, 255};
constexpr unsigned trail_count = 20;

}  // namespace

void drawAnimation(const DemoState& state, const Theme& theme) {
    drawPanel(panel_x, panel_y, panel_w, panel_h, theme);
    drawText(panel_title, title_at, theme.accent);

    // The slider scales the running time itself, not a rate: moving it makes the wave jump.
    const float time_phase = state.anim_time * state.slider1_val * 4.0f;
    for (unsigned i = 0; i < bar_count; ++i) {
        const float fi = static_cast<float>(i);
        const float phase = fi * 0.2f + time_phase;
        const float h1 = std::sin(phase) * 0.5f + 0.5f;
        const float h2 = std::sin(phase * 1.5f + 0.7f) * 0.5f + 0.5f;
        const float h3 = std::sin(phase * 0.7f + 2.1f) * 0.5f + 0.5f;
        const int bar_x = truncToPixel(fi * bar_width) + bar_left;
        const int bh1 = truncToPixel(h1 * 50.0f);
        const int bh2 = truncToPixel(h2 * 50.0f);
        const int bh3 = truncToPixel(h3 * 30.0f);
        DrawRectangle(bar_x, base_y - bh1, bar_draw_w, bh1, bar_bottom);
        DrawRectangle(bar_x, base_y - bh1 - bh2, bar_draw_w, bh2, bar_middle);
        DrawRectangle(bar_x, base_y - bh1 - bh2 - bh3, bar_draw_w, bh3, bar_top);
    }

    // Angles grow with time and y points down, so both dots run clockwise on screen.
    DrawCircleLines(orbit_ring_x, orbit_ring_y, orbit_r, theme.panel_border);
    const float angle = state.anim_time * 2.0f;
    const float dot_x = orbit_cx + std::cos(angle) * orbit_r;
    const float dot_y = orbit_cy + std::sin(angle) * orbit_r;
    DrawCircle(truncToPixel(dot_x), truncToPixel(dot_y), 6.0f, theme.accent);

    DrawCircleLines(orbit_ring_x, orbit_ring_y, inner_r, theme.scroll_track);
    const float angle2 = state.anim_time * 3.5f + 1.0f;
    const float dot2_x = orbit_cx + std::cos(angle2) * inner_r;
    const float dot2_y = orbit_cy + std::sin(angle2) * inner_r;
    DrawCircle(truncToPixel(dot2_x), truncToPixel(dot2_y), 4.0f, inner_dot);

    // Brightest first: trail dot 0 lies exactly on the outer dot and is drawn over it.
    for (unsigned j = 0; j < trail_count; ++j) {
        const float fj = static_cast<float>(j);
        const float trail_angle = state.anim_time * 2.0f - fj * 0.15f;
        const float trail_x = orbit_cx + std::cos(trail_angle) * orbit_r;
        const float trail_y = orbit_cy + std::sin(trail_angle) * orbit_r;
        // In floats, 1 - 12/20 falls just short of 0.4, so alpha 12 is 47, not 48.
        const auto alpha = static_cast<unsigned char>(truncToPixel((1.0f - fj / 20.0f) * 120.0f));
        DrawCircle(truncToPixel(trail_x), truncToPixel(trail_y), 3.0f, Color{80, 180, 255, alpha});
    }

    DrawText("Rotation", 1060, 495, 12, theme.text_secondary);
}

void describeAnimation(ScreenDescription& d) {
    addScreenText(d, ScreenRole::heading, panel_title, title_at).level = 2;
    addScreenNode(d, ScreenRole::image, strip_description).rect = {panel_x, panel_y, panel_w,
                                                                   panel_h};
}

}  // namespace gui_demo
