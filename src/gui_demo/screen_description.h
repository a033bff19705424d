// What is on screen, told in words and places for people who cannot see it: every widget with its
// role, its name and its state as drawn, and the texts, in the order a reader meets them (left to
// right across the panels, top to bottom within one).
//
// Each panel describes its own widgets from the constants its hit tests use, next to its update
// and draw steps (describeInteractables and the others in demo.h); describeScreen puts the whole
// screen together after a frame. A platform layer (the page's mirror, a desktop accessibility
// bridge) only reads the description, and operates a widget the way a hand would: a press and
// release at its press point, a press at the point of a new value, keys for the text field.
// Nothing here reaches a renderer, and the frame itself never describes anything.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gui_demo {

enum class ScreenRole : std::uint8_t {
    heading,  // the title line (level 1), a panel's title (level 2)
    text,     // a caption, a label, a footer, the frame-rate readout
    list,     // a fixed listing named by its caption; its lines follow it as list items
    list_item,
    image,   // the animation strip
    button,  // "Click Me"; its text is the click-count line drawn beside it
    check_box,
    radio_group,  // "Render Mode:"; its radio buttons follow it
    radio_button,
    slider,
    scroll_bar,
    drag_box,    // the "DRAG" box
    text_field,  // "Name:"; its text is the field's text
};

struct ScreenRect {
    int x = 0, y = 0, w = 0, h = 0;
};

struct ScreenPoint {
    int x = 0, y = 0;
};

inline constexpr std::size_t screen_text_size = 64;  // the field's 63 characters and a zero

struct ScreenNode {
    ScreenRole role = ScreenRole::text;
    int parent = -1;        // index of the list or radio group it belongs to
    int level = 0;          // a heading's level
    const char* name = "";  // the fixed words drawn: a label, a caption, a text line
    // The words that change, as drawn: a slider's value text, the click count, the field's text,
    // the readout, where the drag box is ("carried over the drop zone"). Zero-terminated.
    char text[screen_text_size] = {};
    ScreenRect rect;    // a widget's (and the strip's) rectangle in window pixels, as hit and drawn
    ScreenPoint press;  // a widget's point, where a hand presses to operate it
    ScreenPoint carry_to;  // the drag box: where a hand carries it, over the drop zone or back out
    bool checked = false;  // a check box ticked, a radio button selected
    bool focused = false;  // the text field has the keyboard
    bool carried = false;  // the drag box is being dragged
    bool over_drop_zone = false;  // the drag box's centre is in the drop zone
    float value = 0.0f;     // a slider's or the scroll bar's value, 0..1 from the track's start
    bool vertical = false;  // the track runs downwards
};

inline constexpr int max_screen_nodes = 64;

struct ScreenDescription {
    ScreenNode nodes[max_screen_nodes];
    int count = 0;
    bool overflowed = false;  // a node was added past max_screen_nodes, and dropped
    ScreenNode dropped;       // where a node past the capacity is written, to be dropped
};

inline ScreenPoint centreOf(const ScreenRect& r) { return {r.x + r.w / 2, r.y + r.h / 2}; }

// Where a text is drawn: its top-left corner and its font size, which is also its height. The
// draw steps and the description take a text's place from the same constant.
struct TextPlace {
    int x = 0, y = 0, size = 0;
};

// The rectangle a text covers where it is drawn with the default font (MeasureText).
ScreenRect textRect(const char* words, TextPlace at);

// The smallest rectangle that holds both.
ScreenRect spanOf(const ScreenRect& a, const ScreenRect& b);

// Appends a node and returns it. Past max_screen_nodes the node is dropped and overflowed is set,
// which describeScreen's test fails on: nodes already described are never overwritten.
ScreenNode& addScreenNode(ScreenDescription& d, ScreenRole role, const char* name, int parent = -1);

// Appends a text node (a heading, a caption, a list item) placed where it is drawn.
ScreenNode& addScreenText(ScreenDescription& d, ScreenRole role, const char* words, TextPlace at,
                          int parent = -1);

// Where along a slider's or the scroll bar's track a press sets (as near as a pixel allows) the
// given value. A value beyond the range, or not a number, lands on the track's end or start, as
// a hand pressing beyond the track's end gets the last value a pixel gives.
ScreenPoint valuePoint(const ScreenNode& n, float value);

// The pixels along a value widget's track: one step of the value per pixel.
int trackLength(const ScreenNode& n);

// The point k pixels along a value widget's track (k from 0 to trackLength - 1).
ScreenPoint trackPoint(const ScreenNode& n, int k);

// The node seen at window pixel (x, y): of those whose rectangle holds it (left and top edges
// inside, right and bottom outside), the one drawn last, as it lies on top (the math panel over
// the animation strip); among parent's children only, unless parent is any_parent. -1 for none.
inline constexpr int any_parent = -2;
int nodeAt(const ScreenDescription& d, int x, int y, int parent = any_parent);

// The role's name as written here (button, check_box, ...), as the page's script and the tests'
// data files name it.
const char* roleName(ScreenRole role);

// Whether a node is a widget a hand operates.
bool isWidget(ScreenRole role);

// Whether a node takes the focus (of the keyboard, of a screen reader): the widgets, and the
// animation strip, which plays and pauses.
bool takesFocus(ScreenRole role);

// Where a screen reader's focus goes when the screen changes from was to now, from focus (a node
// index, or -1): to the text field while it has the keyboard, else to the widget operated last
// (ticked, selected, set, pressed or carried, by a hand or a screen reader), as toolkits focus
// the widget clicked; else it stays, unless it was on the field, which gave the keyboard up.
int readerFocus(const ScreenDescription& was, const ScreenDescription& now, int focus);

struct DemoState;
struct LoopClock;

// The screen as it stands after a frame (frame.cpp). Declared here, apart from demo.h and the
// graphics library's header, so that a platform's bridge can describe the screen beside its own
// system headers.
void describeScreen(const DemoState& state, const LoopClock& clock, ScreenDescription& d);
// The clock's running time in seconds, which paces how often a changing name is told.
float runningTime(const LoopClock& clock);

}  // namespace gui_demo
