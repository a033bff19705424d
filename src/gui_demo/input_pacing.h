// Input pacing: every click, tap and keystroke reaches the frame, in the order it was made.
//
// raylib keeps one state per button and key and compares it once a frame, and keeps at most 16
// typed characters a frame. So a press and its release that arrive between the same two frames
// leave no trace, a burst of typing loses characters, and keys of one frame are applied in the
// frame's fixed order (pointer and button, then characters, then Backspace, then Enter) rather
// than the order they were made in. The pacer sits between the window system's callbacks and
// raylib's own: an event that would arrive too soon waits for the next frame, in the order it came.
//
// Within one frame (the events that reach raylib between two input snapshots):
// - the left button, Backspace and Enter each change at most once;
// - at most 16 characters arrive;
// - the stages only move forward: pointer and button, characters, Backspace, Enter. A character
//   after Backspace or Enter, Backspace after Enter, or a click after any of them waits;
// - the pointer does not move after the button changed, so a click is seen where it was made;
// - the button is not let go after the pointer moved, so the frame before the release sees the
//   pointer where it was let go with the button still down: a flick ends where it ended.
// Once one event waits, every later one queues behind it; between two waiting events only the
// pointer's last position is kept, so a fast mouse never builds a backlog. A click takes two
// frames, so clicks faster than 30 a second do build one; no hand clicks that fast, and nothing
// a person does should wait behind it. So a click that has waited more than
// pacing_merge_after_frames goes to raylib with its release in one frame, where the two cancel
// out, as they would have without the pacer; the newest click waiting never does. Keys are never
// merged: a burst of Backspaces is text being edited, and each one counts however long it waits.
// Keys the program never reads (letters among them) and the other buttons pass straight through,
// so fast typing is not slowed. A flood that fills the queue lets everything through at once, in
// order: memory stays fixed, and the last state sent is the state seen.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gui_demo {

// A button's or key's action, as the window system (GLFW) numbers them.
inline constexpr int pacing_release = 0;
inline constexpr int pacing_press = 1;
inline constexpr int pacing_repeat = 2;

struct PacedEvent {
    enum class Kind : std::uint8_t { move, button, key, character };
    Kind kind = Kind::move;
    int code = 0;  // button, key, or character
    int action = pacing_release;
    int scancode = 0;
    int mods = 0;
    double x = 0.0, y = 0.0;  // pointer position of a move
    unsigned frame = 0;       // the pacer's frame count when it arrived
};

inline constexpr int pacing_left_button = 0;
inline constexpr int pacing_key_enter = 257;
inline constexpr int pacing_key_backspace = 259;
inline constexpr int pacing_chars_per_frame = 16;  // raylib's character queue
inline constexpr std::size_t pacing_capacity = 256;
inline constexpr unsigned pacing_merge_after_frames = 10;  // a sixth of a second at 60 a second

// The order in which a frame's snapshot applies what it reads; within one frame the stages only
// move forward.
enum class PacingStage : std::uint8_t { pointer, characters, backspace, enter };

// What has reached the library since the last snapshot.
struct PacingFrame {
    PacingStage stage = PacingStage::pointer;
    bool button_changed = false;
    bool moved = false;
    bool backspace_changed = false;
    bool enter_changed = false;
    int chars = 0;
};

// The rules themselves: whether e may reach raylib in the frame so far without being merged with
// or reordered against what already did. If it may, it counts as having reached it. The page's
// script holds its events itself and asks this of each (platform/web/main.cpp).
bool letThrough(PacingFrame& f, const PacedEvent& e);

// Whether a left press and the release right after it, the oldest of waiting events held, the
// press for age frames, go to raylib together, where they cancel out: a click that has waited
// that long is part of a flood, if another click waits behind it. The newest click waiting never
// does, whatever else follows it (the pointer put back, keys): what a person did last counts,
// even right after a flood.
bool mergesAway(const PacedEvent& press, const PacedEvent& release, unsigned age,
                bool later_press_waiting);

// Whether e is a press of the left button, which mergesAway looks for behind a click.
bool isLeftPress(const PacedEvent& e);

struct InputPacer {
    PacedEvent queue[pacing_capacity];
    std::size_t head = 0;
    std::size_t count = 0;
    PacingFrame frame;
    unsigned frames = 0;   // frames begun so far, to tell how long an event has waited
    bool merging = false;  // the head is the release of a merged click
};

// Whether the pacer holds events of this kind at all; the rest go to raylib as they come.
bool isPaced(const PacedEvent& e);

// Takes an event the window system reports. Returns true when it goes to raylib now; otherwise
// the pacer keeps it. The queue must not be full (see offerEvent).
bool admitEvent(InputPacer& p, const PacedEvent& e);

// After a frame: the oldest waiting event, if it may go now, or else a click that has waited too
// long, as its press and release together (see mergesAway). Call until false, then
// startInputFrame.
bool takeDueEvent(InputPacer& p, PacedEvent& out);

// The oldest waiting event whatever the rules say, for a flood.
bool takeAnyEvent(InputPacer& p, PacedEvent& out);

// Begins a new frame's count: what reaches raylib from now on is seen by the next snapshot.
void startInputFrame(InputPacer& p);

// The two steps the window system's callbacks and the loop take, with forward(event) passing
// an event on to raylib.
template <typename Forward>
void offerEvent(InputPacer& p, const PacedEvent& e, Forward&& forward) {
    if (!isPaced(e)) {
        forward(e);
        return;
    }
    if (p.count == pacing_capacity) {
        PacedEvent waiting;
        while (takeAnyEvent(p, waiting)) forward(waiting);
    }
    if (admitEvent(p, e)) forward(e);
}

template <typename Forward>
void releaseDueEvents(InputPacer& p, Forward&& forward) {
    PacedEvent due;
    while (takeDueEvent(p, due)) forward(due);
    startInputFrame(p);
}

}  // namespace gui_demo
