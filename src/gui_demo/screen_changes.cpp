// The change list (screen_changes.h).
#include "screen_changes.h"

#include <cstring>

namespace gui_demo {

namespace {

constexpr float naming_interval = 1.0f;  // seconds between two names of a text that changes

void add(ScreenTracker& t, ScreenChangeKind kind, int node, bool on = false) {
    if (t.count == max_screen_changes) return;  // cannot happen: each node lists at most four
    ScreenChange& c = t.changes[t.count++];
    c = ScreenChange{};
    c.kind = kind, c.node = node, c.on = on;
}

void addText(ScreenTracker& t, ScreenChangeKind kind, int node, std::size_t at, std::size_t n) {
    add(t, kind, node);
    t.changes[t.count - 1].offset = static_cast<int>(at);
    t.changes[t.count - 1].length = static_cast<int>(n);
}

bool sameRect(const ScreenRect& a, const ScreenRect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

// What differs in node i between was and now; with a name not yet due, the old one stays told.
void compare(ScreenTracker& t, int i, const ScreenNode& was, ScreenNode& now, bool naming) {
    if (now.role != was.role) {  // another node in this place: told as one removed, one added
        add(t, ScreenChangeKind::node_removed, i);
        add(t, ScreenChangeKind::node_added, i);
        return;
    }
    if (now.checked != was.checked) add(t, ScreenChangeKind::checked, i, now.checked);
    if (now.carried != was.carried) add(t, ScreenChangeKind::pressed, i, now.carried);
    if (!sameRect(now.rect, was.rect)) add(t, ScreenChangeKind::bounds, i);
    const bool text_changed = std::strcmp(now.text, was.text) != 0;
    if (hasValue(now.role)) {
        if (text_changed || now.value != was.value) add(t, ScreenChangeKind::value, i);
    } else if (hasDescription(now.role)) {
        if (text_changed) add(t, ScreenChangeKind::description, i);
    } else if (now.role == ScreenRole::text_field) {
        if (text_changed) {
            std::size_t same = 0;
            while (was.text[same] != '\0' && was.text[same] == now.text[same]) ++same;
            const std::size_t gone = std::strlen(was.text + same);
            const std::size_t added = std::strlen(now.text + same);
            if (gone > 0) addText(t, ScreenChangeKind::text_removed, i, same, gone);
            if (added > 0) addText(t, ScreenChangeKind::text_inserted, i, same, added);
        }
    } else if (isNamedByText(now) && text_changed) {
        if (naming) {
            add(t, ScreenChangeKind::name, i);
        } else {
            std::memcpy(now.text, was.text, sizeof now.text);
        }
    }
}

}  // namespace

bool hasValue(ScreenRole role) {
    return role == ScreenRole::slider || role == ScreenRole::scroll_bar;
}

bool hasDescription(ScreenRole role) {
    return role == ScreenRole::button || role == ScreenRole::drag_box;
}

bool isNamedByText(const ScreenNode& n) { return n.role == ScreenRole::text && n.name[0] == '\0'; }

const char* nameOf(const ScreenNode& n) { return isNamedByText(n) ? n.text : n.name; }

const char* changeKindName(ScreenChangeKind kind) {
    switch (kind) {
        case ScreenChangeKind::window_active:
            return "window_active";
        case ScreenChangeKind::focus:
            return "focus";
        case ScreenChangeKind::checked:
            return "checked";
        case ScreenChangeKind::pressed:
            return "pressed";
        case ScreenChangeKind::value:
            return "value";
        case ScreenChangeKind::text_removed:
            return "text_removed";
        case ScreenChangeKind::text_inserted:
            return "text_inserted";
        case ScreenChangeKind::description:
            return "description";
        case ScreenChangeKind::name:
            return "name";
        case ScreenChangeKind::bounds:
            return "bounds";
        case ScreenChangeKind::node_added:
            return "node_added";
        case ScreenChangeKind::node_removed:
            return "node_removed";
    }
    return "";
}

void startTracking(ScreenTracker& t, const ScreenDescription& now, bool window_active, float time) {
    t.told = t.was = now;
    t.focus = t.asked_focus = -1;
    t.typing_frames = 0;
    for (int i = 0; i < now.count; ++i) {
        if (now.nodes[i].role == ScreenRole::text_field && now.nodes[i].focused) t.focus = i;
    }
    t.window_active = window_active;
    t.named_at = time;
    t.count = 0;
}

void trackScreen(ScreenTracker& t, const ScreenDescription& now, bool window_active, float time) {
    t.count = 0;
    t.was = t.told;
    if (window_active != t.window_active) {
        t.window_active = window_active;
        add(t, ScreenChangeKind::window_active, -1, window_active);
    }
    const int focus = readerFocus(t.told, now, t.asked_focus >= 0 ? t.asked_focus : t.focus);
    t.asked_focus = -1;
    const bool naming = time - t.named_at >= naming_interval;
    bool named = false;
    const int common = now.count < t.told.count ? now.count : t.told.count;
    for (int i = 0; i < common; ++i) {
        const ScreenNode was = t.told.nodes[i];
        ScreenNode& told = t.told.nodes[i];
        told = now.nodes[i];
        compare(t, i, was, told, naming);
        named = named || (t.count > 0 && t.changes[t.count - 1].kind == ScreenChangeKind::name);
    }
    // A reader's edit is typed once the field shows it.
    for (int i = 0; i < now.count && t.typing_frames > 0; ++i) {
        if (now.nodes[i].role != ScreenRole::text_field) continue;
        if (std::strcmp(now.nodes[i].text, t.typing) == 0)
            t.typing_frames = 0;
        else
            t.typing_frames -= 1;
    }
    for (int i = common; i < t.told.count; ++i) add(t, ScreenChangeKind::node_removed, i);
    for (int i = common; i < now.count; ++i) {
        t.told.nodes[i] = now.nodes[i];
        add(t, ScreenChangeKind::node_added, i);
    }
    t.told.count = now.count;
    if (named) t.named_at = time;
    // A focus on a node that is gone goes to no widget.
    const int kept = focus < now.count ? focus : -1;
    if (kept != t.focus) {
        t.focus = kept;
        add(t, ScreenChangeKind::focus, kept);
    }
}

}  // namespace gui_demo
