// What a screen reader is told after a frame: the differences between the screen as it was last
// told and as it is now, worked out here once for every platform. Each platform's bridge only
// maps the list to its own calls (ATK signals on Linux, WinEvents on Windows, the page's DOM
// writes), so no platform decides for itself what counts as a change.
//
// The per-role facts live here too: which roles have a value, words beside their name (a
// description), or a name that changes.
#pragma once

#include <cstdint>

#include "screen_description.h"

namespace gui_demo {

enum class ScreenChangeKind : std::uint8_t {
    window_active,  // the window took (on) or gave up the keyboard focus
    focus,          // the reader's focus moved to node (-1: to no widget)
    checked,        // a check box ticked or cleared, a radio button selected or left (on)
    pressed,        // the drag box picked up (on) or let go
    value,          // a slider's or the scroll bar's value, and its words
    text_removed,   // the field lost length bytes at offset
    text_inserted,  // the field gained length bytes at offset
    description,    // the words beside a widget's name: the click count, where the drag box is
    name,           // a text whose words are its name (the readout), at most once a second
    bounds,         // a widget moved (the carried box)
    node_added,     // the description grew by this node
    node_removed,   // the description lost this node
};

struct ScreenChange {
    ScreenChangeKind kind = ScreenChangeKind::focus;
    int node = -1;
    int offset = 0, length = 0;  // text_removed, text_inserted: in bytes of the node's text
    bool on = false;             // window_active, checked, pressed
};

// Each node changes in at most a few ways a frame, and the focus and window once.
inline constexpr int max_screen_changes = 4 * max_screen_nodes + 2;

// What a screen reader has been told, and the changes since, as the last trackScreen listed them.
struct ScreenTracker {
    ScreenDescription told;
    ScreenDescription was;  // what was told before the last trackScreen: the text removed
    int focus = -1;         // the field while it has the keyboard, else the widget operated last
    int asked_focus = -1;   // a widget a reader acted on or focused since, which the focus goes to
    // The field's text once a reader's last edit is typed, while typing_frames > 0: the frames
    // left before it is given up (a hand typing meanwhile may make it never come).
    char typing[screen_text_size] = {};
    int typing_frames = 0;
    bool window_active = false;
    float named_at = 0.0f;  // clock time the changing names were last told
    ScreenChange changes[max_screen_changes];
    int count = 0;
};

// A slider's or the scroll bar's: a value from 0 to 1, with its words.
bool hasValue(ScreenRole role);
// The button's and the drag box's words (the click count, where the box is) go beside their name.
bool hasDescription(ScreenRole role);
// A text with no fixed words (the frame-rate readout) is named by its changing text.
bool isNamedByText(const ScreenNode& n);
// The words a node is named by: its fixed words, or its text where it has none.
const char* nameOf(const ScreenNode& n);

// The kind's name as written here (window_active, focus, ...), as the page's script reads it.
const char* changeKindName(ScreenChangeKind kind);

// Starts telling from the screen as it is (the first time a reader looks): nothing is listed.
void startTracking(ScreenTracker& tracker, const ScreenDescription& now, bool window_active,
                   float time);

// Lists in tracker.changes what differs between what was told and now (the window first, then
// each node in order, then the focus), and takes now as told. A name that changes is listed at
// most once a second (time is the clock's, in seconds); until then the old one stays told.
void trackScreen(ScreenTracker& tracker, const ScreenDescription& now, bool window_active,
                 float time);

}  // namespace gui_demo
