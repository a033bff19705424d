// Moving through the screen with the keyboard or a game controller, and operating what has the
// focus: Tab and Shift+Tab step through the stops in reading order, the arrows set a value, pick
// a radio item or move to a fixed neighbour, Space and Enter press.
//
// Everything a key does reaches the program as the input a hand makes (hand_input.h), through the
// pacer behind the window system's own input; the frame itself reads no new key. The platform
// calls these as the window system reports keys and pointer presses, with the screen described
// as it stands (describeScreen), and after every frame; what the frame needs back is Viewing: the
// widget to draw the focus mark around, and whether the animation is paused.
#pragma once

#include <cstdint>

#include "demo.h"
#include "screen_description.h"

namespace gui_demo {

enum class NavCommand : std::uint8_t {
    none,
    next,      // Tab
    previous,  // Shift+Tab
    left,
    right,
    up,
    down,
    page_up,
    page_down,
    home,
    end,
    activate,     // Space, Enter: press, toggle, select, carry, start typing, play or pause
    end_editing,  // the field gives up the keyboard and keeps the focus
};

// The stops, in Tab order: every widget and the animation strip in reading order, a radio group
// being one stop on its selected item.
inline constexpr int nav_stop_count = 12;
enum NavStop : std::int8_t {
    stop_button,
    stop_check_1,
    stop_check_2,
    stop_check_3,
    stop_radio,
    stop_slider_1,
    stop_slider_2,
    stop_slider_3,
    stop_scroll,
    stop_drag_box,
    stop_field,
    stop_strip,
};

// What an arrow does at a stop, besides moving to another stop.
inline constexpr int nav_stay = -1;  // nothing lies that way
inline constexpr int nav_own = -2;   // the widget's own: a value step, the next radio item

// The stop an arrow (left, right, up, down) leads to from each stop, worked out once from where
// the widgets lie: the nearest stop in that direction whose rows (left, right) or columns (up,
// down) it shares, else the nearest one that way.
inline constexpr std::int8_t nav_neighbours[nav_stop_count][4] = {
    //                left           right          up             down
    /* button    */ {nav_stay, stop_slider_1, nav_stay, stop_check_1},
    /* check 1   */ {nav_stay, stop_slider_2, stop_button, stop_check_2},
    /* check 2   */ {nav_stay, stop_slider_3, stop_check_1, stop_check_3},
    /* check 3   */ {nav_stay, stop_scroll, stop_check_2, stop_radio},
    /* radio     */ {nav_stay, stop_scroll, nav_own, nav_own},
    /* slider 1  */ {nav_own, nav_own, nav_stay, stop_slider_2},
    /* slider 2  */ {nav_own, nav_own, stop_slider_1, stop_slider_3},
    /* slider 3  */ {nav_own, nav_own, stop_slider_2, stop_strip},
    /* scroll    */ {stop_slider_3, stop_drag_box, nav_own, nav_own},
    /* drag box  */ {stop_scroll, stop_field, stop_field, stop_strip},
    /* field     */ {stop_scroll, nav_stay, nav_stay, stop_strip},
    /* strip     */ {nav_stay, nav_stay, stop_drag_box, nav_stay},
};

// GLFW's key codes and modifier bit, as the window system reports them.
inline constexpr int nav_key_space = 32;
inline constexpr int nav_key_enter = 257;
inline constexpr int nav_key_tab = 258;
inline constexpr int nav_key_right = 262;
inline constexpr int nav_key_left = 263;
inline constexpr int nav_key_down = 264;
inline constexpr int nav_key_up = 265;
inline constexpr int nav_key_page_up = 266;
inline constexpr int nav_key_page_down = 267;
inline constexpr int nav_key_home = 268;
inline constexpr int nav_key_end = 269;
inline constexpr int nav_key_keypad_enter = 335;
inline constexpr int nav_mod_shift = 0x0001;

// What a key does, whatever has the focus (none for a key navigation does not use).
NavCommand keyCommand(int key, int mods);

// A game controller, as read after a frame: the D-pad or the left stick beyond the dead zone as
// the four directions, A, B and the two shoulder buttons.
struct PadReading {
    bool up = false, down = false, left = false, right = false;
    bool a = false, b = false, left_shoulder = false, right_shoulder = false;
};

// A stick pushed less than this far (of 1) counts as at rest.
inline constexpr float pad_dead_zone = 0.5f;
// A held direction repeats after this many frames, then every pad_repeat_every frames.
inline constexpr int pad_repeat_after = 24;
inline constexpr int pad_repeat_every = 6;

// The pad's buttons and stick as GLFW's gamepad state gives them (buttons[15], axes[6]).
PadReading readPad(const unsigned char* buttons, const float* axes);

struct PadTracker {
    PadReading held;
    int held_frames = 0;  // frames the direction held now has been held
};

// The commands of one frame's reading: a button as it goes down, a direction as it goes down and
// then repeatedly while held. Returns how many it wrote into out.
inline constexpr int pad_max_commands = 5;
int padCommands(PadTracker& tracker, const PadReading& now, NavCommand (&out)[pad_max_commands]);

struct Navigation {
    int stop = -1;  // the stop with the focus, -1 before the first key
    bool mark_shown = false;
    Viewing viewing;
    // The screen as the input made so far will leave it: the values set, the item selected, the
    // field given or taken the keyboard, while that input still waits in the pacer. Taken from the
    // screen again once view_frames have passed since the last made input.
    ScreenDescription view;
    int view_frames = 0;
    // Frames for which a screen reader's focus follows the keyboard's (focusNode), after a move.
    int focus_frames = 0;
    PadTracker pad;
};

// Where a command (not activate, not end_editing) leads from a stop (-1: none yet), on the
// screen as d describes it: the window's navigation and the page's mirror both go by it.
struct NavTarget {
    enum class Kind : std::uint8_t {
        none,   // not a key of navigation's at this stop (Home on a button)
        stay,   // taken, but nothing lies that way or the value is at that end
        stop,   // the focus moves to stop index
        item,   // the radio item at node index is selected
        value,  // the slider or scroll bar is set index pixels along its track
    };
    Kind kind = Kind::none;
    int index = -1;
};
NavTarget navTarget(const ScreenDescription& d, int stop, NavCommand command, bool from_pad);

// Carries out a command with the screen described as now. Returns whether navigation took it;
// a key it did not take goes on to the program (the field's typing, Escape). from_pad: Left and
// Right leave the radio group, as a controller has no Tab key of its own.
bool navigate(Navigation& nav, const ScreenDescription& now, NavCommand command, bool from_pad);

// The key itself, through the key map, for a press or a repeat: Tab is taken while typing, the
// other keys only while the field does not have the keyboard. Enter typed into the field ends
// its editing, which the view takes note of.
bool navigateByKey(Navigation& nav, const ScreenDescription& now, int key, int mods);

// A typed character or Backspace at the field's stop while it does not have the keyboard, with
// the keys in use (the mark shown): a click on the field first, as a hand would, so the typing
// resumes. After a real click, the field takes typing only while it has the keyboard, as ever.
void beforeTyping(Navigation& nav, const ScreenDescription& now);

// A real press of the pointer (not one made for a reader or a key) at window pixel (x, y): the
// mark hides, and the focus goes to the stop pressed, if any.
void pointerPressed(Navigation& nav, const ScreenDescription& now, int x, int y);

// A screen reader moved its focus to node i: the stop it belongs to has the keyboard's focus too
// (without showing the mark, which is for keys in use).
void followReader(Navigation& nav, const ScreenDescription& now, int i);

// After every frame: the view's and the reader focus's frames count down; viewing is brought up
// to date.
void navigationFrame(Navigation& nav);

// The node a screen reader's focus follows while focus_frames > 0, else -1.
int focusNode(const Navigation& nav);

// The stop a node belongs to in Tab order, or -1.
int stopOfNode(const ScreenDescription& d, int node);
// The node a stop stands on now (a radio group's selected item), or -1.
int nodeOfStop(const ScreenDescription& d, int stop);

}  // namespace gui_demo
