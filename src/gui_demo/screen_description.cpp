// The description's own helpers (screen_description.h); the panels fill it.
#include "screen_description.h"

#include <cmath>

namespace gui_demo {

ScreenNode& addScreenNode(ScreenDescription& d, ScreenRole role, const char* name, int parent) {
    if (d.count < max_screen_nodes) d.count += 1;
    ScreenNode& n = d.nodes[d.count - 1];
    n = ScreenNode{};
    n.role = role;
    n.name = name;
    n.parent = parent;
    return n;
}

int trackLength(const ScreenNode& n) { return n.vertical ? n.rect.h : n.rect.w; }

ScreenPoint valuePoint(const ScreenNode& n, float value) {
    // A press k pixels along the track sets the value k / length, so the nearest k is taken;
    // the last pixel of the track is the furthest a press can reach.
    const int length = trackLength(n);
    int k = 0;
    if (value >= 1.0f) {
        k = length - 1;
    } else if (value > 0.0f) {  // false for NaN too
        k = static_cast<int>(std::lround(value * static_cast<float>(length)));
        if (k > length - 1) k = length - 1;
    }
    ScreenPoint p = n.press;
    if (n.vertical) {
        p.y = n.rect.y + k;
    } else {
        p.x = n.rect.x + k;
    }
    return p;
}

}  // namespace gui_demo
