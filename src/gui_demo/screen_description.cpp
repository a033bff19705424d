// The description's own helpers (screen_description.h); the panels fill it.
#include "screen_description.h"

#include <raylib.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "demo.h"

namespace gui_demo {

ScreenNode& addScreenNode(ScreenDescription& d, ScreenRole role, const char* name, int parent) {
    if (d.count == max_screen_nodes) d.overflowed = true;
    ScreenNode& n = d.overflowed ? d.dropped : d.nodes[d.count++];
    n = ScreenNode{};
    n.role = role;
    n.name = name;
    n.parent = parent;
    return n;
}

ScreenRect textRect(const char* words, TextPlace at) {
    return {at.x, at.y, MeasureText(words, at.size), at.size};
}

ScreenRect spanOf(const ScreenRect& a, const ScreenRect& b) {
    const int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.w, b.x + b.w), bottom = std::max(a.y + a.h, b.y + b.h);
    return {left, top, right - left, bottom - top};
}

ScreenNode& addScreenText(ScreenDescription& d, ScreenRole role, const char* words, TextPlace at,
                          int parent) {
    ScreenNode& n = addScreenNode(d, role, words, parent);
    n.rect = textRect(words, at);
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
    return trackPoint(n, k);
}

ScreenPoint trackPoint(const ScreenNode& n, int k) {
    ScreenPoint p = n.press;
    if (n.vertical) {
        p.y = n.rect.y + k;
    } else {
        p.x = n.rect.x + k;
    }
    return p;
}

int nodeAt(const ScreenDescription& d, int x, int y, int parent) {
    for (int i = d.count - 1; i >= 0; --i) {
        const ScreenNode& n = d.nodes[i];
        if ((parent == any_parent || n.parent == parent) &&
            isInside(x, y, n.rect.x, n.rect.y, n.rect.w, n.rect.h))
            return i;
    }
    return -1;
}

const char* roleName(ScreenRole role) {
    switch (role) {
        case ScreenRole::heading:
            return "heading";
        case ScreenRole::text:
            return "text";
        case ScreenRole::list:
            return "list";
        case ScreenRole::list_item:
            return "list_item";
        case ScreenRole::image:
            return "image";
        case ScreenRole::button:
            return "button";
        case ScreenRole::check_box:
            return "check_box";
        case ScreenRole::radio_group:
            return "radio_group";
        case ScreenRole::radio_button:
            return "radio_button";
        case ScreenRole::slider:
            return "slider";
        case ScreenRole::scroll_bar:
            return "scroll_bar";
        case ScreenRole::drag_box:
            return "drag_box";
        case ScreenRole::text_field:
            return "text_field";
    }
    return "";
}

bool isWidget(ScreenRole role) {
    switch (role) {
        case ScreenRole::button:
        case ScreenRole::check_box:
        case ScreenRole::radio_button:
        case ScreenRole::slider:
        case ScreenRole::scroll_bar:
        case ScreenRole::drag_box:
        case ScreenRole::text_field:
            return true;
        default:
            return false;
    }
}

bool takesFocus(ScreenRole role) { return isWidget(role) || role == ScreenRole::image; }

namespace {

bool wasOperated(const ScreenNode& was, const ScreenNode& now) {
    switch (now.role) {
        case ScreenRole::check_box:
            return now.checked != was.checked;
        case ScreenRole::radio_button:
            return now.checked && !was.checked;
        case ScreenRole::slider:
        case ScreenRole::scroll_bar:
            return now.value != was.value;
        case ScreenRole::button:
            return std::strcmp(now.text, was.text) != 0;
        case ScreenRole::drag_box:
            return now.carried && !was.carried;
        default:
            return false;
    }
}

}  // namespace

int readerFocus(const ScreenDescription& was, const ScreenDescription& now, int focus) {
    int field = -1, operated = -1;
    for (int i = 0; i < now.count && i < was.count; ++i) {
        if (now.nodes[i].role == ScreenRole::text_field) field = i;
        if (wasOperated(was.nodes[i], now.nodes[i])) operated = i;
    }
    if (field >= 0 && now.nodes[field].focused) return field;
    if (operated >= 0) return operated;
    return focus == field ? -1 : focus;
}

}  // namespace gui_demo
