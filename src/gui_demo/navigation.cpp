// Keyboard and game-controller navigation (navigation.h).
#include "navigation.h"

#include <cmath>

#include "hand_input.h"
#include "screen_changes.h"

namespace gui_demo {

namespace {

// Frames a made action may take to reach the screen: a click is two frames, a carry three, and
// input ahead of it in the pacer may hold it up a little.
constexpr int view_ahead_frames = 20;
// Frames a screen reader's focus follows a move: long enough for a field that gives up the
// keyboard after the move to have done so.
constexpr int focus_follow_frames = 20;

// Whether node i starts a stop: a radio item other than its group's first does not.
bool startsStop(const ScreenDescription& d, int i) {
    const ScreenNode& n = d.nodes[i];
    if (!takesFocus(n.role)) return false;
    return n.role != ScreenRole::radio_button || i == 0 ||
           d.nodes[i - 1].role != ScreenRole::radio_button || d.nodes[i - 1].parent != n.parent;
}

int fieldNode(const ScreenDescription& d) {
    for (int i = 0; i < d.count; ++i)
        if (d.nodes[i].role == ScreenRole::text_field) return i;
    return -1;
}

bool editing(const Navigation& nav) {
    const int f = fieldNode(nav.view);
    return f >= 0 && nav.view.nodes[f].focused;
}

// The view: the screen itself unless made input is still on its way.
void look(Navigation& nav, const ScreenDescription& now) {
    if (nav.view_frames == 0) nav.view = now;
}

void madeInput(Navigation& nav) { nav.view_frames = view_ahead_frames; }

void startTyping(Navigation& nav, int field) {
    operateAsAHand(nav.view.nodes[field]);
    nav.view.nodes[field].focused = true;
    madeInput(nav);
}

void stopTyping(Navigation& nav) {
    endTypingAsAHand();
    nav.view.nodes[fieldNode(nav.view)].focused = false;
    madeInput(nav);
}

void moveTo(Navigation& nav, int stop) {
    if (editing(nav)) stopTyping(nav);
    nav.stop = stop;
    nav.focus_frames = focus_follow_frames;
    // Reaching the field by a key starts its editing, as a click on it would.
    const int node = nodeOfStop(nav.view, stop);
    if (node >= 0 && nav.view.nodes[node].role == ScreenRole::text_field) startTyping(nav, node);
}

// The value widget at node set k pixels along its track, by a press there.
void setAlongTrack(Navigation& nav, int node, int k) {
    ScreenNode& n = nav.view.nodes[node];
    pressAlongTrack(n, k);
    n.value = static_cast<float>(k) / static_cast<float>(trackLength(n));
    madeInput(nav);
}

// The radio item at node selected, by a click on it.
void selectItem(Navigation& nav, int node) {
    operateAsAHand(nav.view.nodes[node]);
    for (int i = 0; i < nav.view.count; ++i) {
        ScreenNode& item = nav.view.nodes[i];
        if (item.role == ScreenRole::radio_button && item.parent == nav.view.nodes[node].parent)
            item.checked = i == node;
    }
    nav.focus_frames = focus_follow_frames;
    madeInput(nav);
}

void activate(Navigation& nav, int node) {
    ScreenNode& n = nav.view.nodes[node];
    switch (n.role) {
        case ScreenRole::image:
            nav.viewing.animation_paused = !nav.viewing.animation_paused;
            return;
        case ScreenRole::text_field:
            startTyping(nav, node);
            return;
        case ScreenRole::slider:
        case ScreenRole::scroll_bar:
            return;  // set by the arrows
        case ScreenRole::drag_box: {
            // Carried over the drop zone or back out: once it is there, the way back is where it
            // came from.
            operateAsAHand(n);
            const ScreenPoint from = n.press;
            n.press = n.carry_to;
            n.carry_to = from;
            n.over_drop_zone = !n.over_drop_zone;
            break;
        }
        case ScreenRole::check_box:
            operateAsAHand(n);
            n.checked = !n.checked;
            break;
        default:
            operateAsAHand(n);
            break;
    }
    madeInput(nav);
}

int direction(NavCommand c) {
    switch (c) {
        case NavCommand::left:
            return 0;
        case NavCommand::right:
            return 1;
        case NavCommand::up:
            return 2;
        case NavCommand::down:
            return 3;
        default:
            return -1;
    }
}

// Where a value widget's key takes it, k pixels along its track, or -1 where it is at that end
// already (a value of 1, beyond the last pixel, is not pulled back by a step up).
int trackTarget(const ScreenNode& n, NavCommand c) {
    const int length = trackLength(n);
    const int at = static_cast<int>(std::lround(n.value * static_cast<float>(length)));
    // A scroll bar's value grows downwards, as its handle goes; a slider's to the right, and Page
    // Up raises it.
    int way = 0, by = 1;
    switch (c) {
        case NavCommand::left:
        case NavCommand::up:
            way = -1;
            break;
        case NavCommand::right:
        case NavCommand::down:
            way = 1;
            break;
        case NavCommand::page_up:
            way = n.vertical ? -1 : 1, by = length / 10;
            break;
        case NavCommand::page_down:
            way = n.vertical ? 1 : -1, by = length / 10;
            break;
        case NavCommand::home:
            way = -1, by = length;
            break;
        case NavCommand::end:
            way = 1, by = length;
            break;
        default:
            return -1;
    }
    int to = at + way * by;
    if (to < 0) to = 0;
    if (to > length - 1) to = length - 1;
    return (to - at) * way > 0 ? to : -1;
}

// The radio item before (by -1) or after (by +1) the one at node, round its group.
int nextItem(const ScreenDescription& d, int node, int by) {
    int first = node, last = node;
    const int group = d.nodes[node].parent;
    while (first > 0 && d.nodes[first - 1].role == ScreenRole::radio_button &&
           d.nodes[first - 1].parent == group)
        --first;
    while (last + 1 < d.count && d.nodes[last + 1].role == ScreenRole::radio_button &&
           d.nodes[last + 1].parent == group)
        ++last;
    const int count = last - first + 1;
    return first + (node - first + by + count) % count;
}

}  // namespace

NavCommand keyCommand(int key, int mods) {
    switch (key) {
        case nav_key_tab:
            return (mods & nav_mod_shift) != 0 ? NavCommand::previous : NavCommand::next;
        case nav_key_left:
            return NavCommand::left;
        case nav_key_right:
            return NavCommand::right;
        case nav_key_up:
            return NavCommand::up;
        case nav_key_down:
            return NavCommand::down;
        case nav_key_page_up:
            return NavCommand::page_up;
        case nav_key_page_down:
            return NavCommand::page_down;
        case nav_key_home:
            return NavCommand::home;
        case nav_key_end:
            return NavCommand::end;
        case nav_key_space:
        case nav_key_enter:
        case nav_key_keypad_enter:
            return NavCommand::activate;
        default:
            return NavCommand::none;
    }
}

int stopOfNode(const ScreenDescription& d, int node) {
    int stop = -1;
    for (int i = 0; i <= node && i < d.count; ++i) {
        if (startsStop(d, i)) ++stop;
    }
    return node >= 0 && node < d.count && takesFocus(d.nodes[node].role) ? stop : -1;
}

int nodeOfStop(const ScreenDescription& d, int stop) {
    int seen = -1;
    for (int i = 0; i < d.count; ++i) {
        if (!startsStop(d, i) || ++seen != stop) continue;
        if (d.nodes[i].role != ScreenRole::radio_button) return i;
        for (int j = i; j < d.count && d.nodes[j].parent == d.nodes[i].parent; ++j) {
            if (d.nodes[j].checked) return j;
        }
        return i;
    }
    return -1;
}

NavTarget navTarget(const ScreenDescription& d, int stop, NavCommand c, bool from_pad) {
    using Kind = NavTarget::Kind;
    if (c == NavCommand::none || c == NavCommand::activate || c == NavCommand::end_editing)
        return {};
    // Before the first key nothing has the focus: Shift+Tab starts from the end, any other key
    // from the start.
    if (stop < 0) return {Kind::stop, c == NavCommand::previous ? nav_stop_count - 1 : 0};
    if (c == NavCommand::next) return {Kind::stop, (stop + 1) % nav_stop_count};
    if (c == NavCommand::previous)
        return {Kind::stop, (stop + nav_stop_count - 1) % nav_stop_count};
    const int node = nodeOfStop(d, stop);
    if (node < 0) return {};
    const ScreenNode& n = d.nodes[node];
    const int way = direction(c);
    int to = way < 0 ? nav_stay : nav_neighbours[stop][way];
    // A keyboard's arrows all pick the radio group's items; a controller leaves it sideways.
    if (n.role == ScreenRole::radio_button && !from_pad) to = nav_own;
    if (n.role == ScreenRole::radio_button && to == nav_own)
        return {Kind::item,
                nextItem(d, node, c == NavCommand::left || c == NavCommand::up ? -1 : 1)};
    if (to == nav_own || (way < 0 && hasValue(n.role))) {
        const int k = trackTarget(n, c);
        return k < 0 ? NavTarget{Kind::stay, -1} : NavTarget{Kind::value, k};
    }
    if (way < 0) return {};  // Page Up, Page Down, Home and End are only a value's
    return to == nav_stay ? NavTarget{Kind::stay, -1} : NavTarget{Kind::stop, to};
}

bool navigate(Navigation& nav, const ScreenDescription& now, NavCommand c, bool from_pad) {
    look(nav, now);
    const bool typing = editing(nav);
    if (c == NavCommand::end_editing) {
        if (!typing) return false;
        stopTyping(nav);
        nav.mark_shown = true;
        return true;
    }
    // Typing, the field keeps every key but Tab and Shift+Tab; the controller's others wait
    // until B ends the typing.
    if (typing && c != NavCommand::next && c != NavCommand::previous) return from_pad;
    if (c == NavCommand::activate) {
        // Space and Enter press only once the keys are in use: after a real click they stay
        // keys the program does not read (and Enter nothing for a field without the keyboard).
        const int node = nodeOfStop(nav.view, nav.stop);
        if (!nav.mark_shown || node < 0) return false;
        activate(nav, node);
        return true;
    }
    const NavTarget to = navTarget(nav.view, nav.stop, c, from_pad);
    if (to.kind == NavTarget::Kind::none) return false;
    nav.mark_shown = true;
    if (to.kind == NavTarget::Kind::stop) moveTo(nav, to.index);
    if (to.kind == NavTarget::Kind::item) selectItem(nav, to.index);
    if (to.kind == NavTarget::Kind::value)
        setAlongTrack(nav, nodeOfStop(nav.view, nav.stop), to.index);
    return true;
}

bool navigateByKey(Navigation& nav, const ScreenDescription& now, int key, int mods) {
    look(nav, now);
    const bool typing = editing(nav);
    if (typing && (key == nav_key_enter)) {
        // The program ends the editing itself; the focus stays on the field.
        nav.view.nodes[fieldNode(nav.view)].focused = false;
        madeInput(nav);
        return false;
    }
    return navigate(nav, now, keyCommand(key, mods), false);
}

void beforeTyping(Navigation& nav, const ScreenDescription& now) {
    // Only while the keys are in use: a field clicked and left by Enter takes no typing, as ever.
    if (!nav.mark_shown) return;
    look(nav, now);
    const int node = nodeOfStop(nav.view, nav.stop);
    if (node >= 0 && nav.view.nodes[node].role == ScreenRole::text_field && !editing(nav))
        startTyping(nav, node);
}

void pointerPressed(Navigation& nav, const ScreenDescription& now, int x, int y) {
    nav.mark_shown = false;
    nav.view = now;
    nav.view_frames = 0;
    // The stop seen at the point, if a stop is seen there.
    const int stop = stopOfNode(now, nodeAt(now, x, y));
    if (stop >= 0) nav.stop = stop;
    const int field = fieldNode(now);
    if (field >= 0) {
        // The press reaches the screen after the next frame; until then the view foresees it.
        nav.view.nodes[field].focused = isOverTextField(x, y);
        nav.view_frames = 2;
    }
}

void followReader(Navigation& nav, const ScreenDescription& now, int i) {
    const int stop = stopOfNode(now, i);
    if (stop >= 0) nav.stop = stop;
}

void navigationFrame(Navigation& nav) {
    if (nav.view_frames > 0) --nav.view_frames;
    if (nav.focus_frames > 0) --nav.focus_frames;
    nav.viewing.marked = nav.mark_shown && nav.stop >= 0 ? nodeOfStop(nav.view, nav.stop) : -1;
}

int focusNode(const Navigation& nav) {
    return nav.focus_frames > 0 && nav.stop >= 0 ? nodeOfStop(nav.view, nav.stop) : -1;
}

PadReading readPad(const unsigned char* buttons, const float* axes) {
    // GLFW's gamepad layout: A, B, X, Y, the shoulders, ..., the D-pad up, right, down, left;
    // the left stick's axes first, y pointing down.
    enum {
        a = 0,
        b = 1,
        left_bumper = 4,
        right_bumper = 5,
        up = 11,
        right = 12,
        down = 13,
        left = 14
    };
    PadReading r;
    r.a = buttons[a] != 0;
    r.b = buttons[b] != 0;
    r.left_shoulder = buttons[left_bumper] != 0;
    r.right_shoulder = buttons[right_bumper] != 0;
    r.up = buttons[up] != 0 || axes[1] < -pad_dead_zone;
    r.down = buttons[down] != 0 || axes[1] > pad_dead_zone;
    r.left = buttons[left] != 0 || axes[0] < -pad_dead_zone;
    r.right = buttons[right] != 0 || axes[0] > pad_dead_zone;
    return r;
}

int padCommands(PadTracker& t, const PadReading& now, NavCommand (&out)[pad_max_commands]) {
    int count = 0;
    const PadReading was = t.held;
    if (now.right_shoulder && !was.right_shoulder) out[count++] = NavCommand::next;
    if (now.left_shoulder && !was.left_shoulder) out[count++] = NavCommand::previous;
    if (now.a && !was.a) out[count++] = NavCommand::activate;
    if (now.b && !was.b) out[count++] = NavCommand::end_editing;
    // One direction at a time, the first held of up, down, left, right.
    const NavCommand way = now.up      ? NavCommand::up
                           : now.down  ? NavCommand::down
                           : now.left  ? NavCommand::left
                           : now.right ? NavCommand::right
                                       : NavCommand::none;
    const NavCommand way_was = was.up      ? NavCommand::up
                               : was.down  ? NavCommand::down
                               : was.left  ? NavCommand::left
                               : was.right ? NavCommand::right
                                           : NavCommand::none;
    t.held_frames = way != NavCommand::none && way == way_was ? t.held_frames + 1 : 0;
    const int past = t.held_frames - pad_repeat_after;
    if (way != NavCommand::none &&
        (t.held_frames == 0 || (past >= 0 && past % pad_repeat_every == 0)))
        out[count++] = way;
    t.held = now;
    return count;
}

}  // namespace gui_demo
