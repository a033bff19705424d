// The pacing rules (input_pacing.h). The window system's callbacks that feed them are each
// platform's (platform/glfw/glfw_window.cpp; the page's script).
#include "input_pacing.h"

namespace gui_demo {

namespace {

using Kind = PacedEvent::Kind;

// The stage a press of this kind belongs to; releases and moves belong to none, and may come at
// any stage.
bool stageOf(const PacedEvent& e, PacingStage& stage) {
    switch (e.kind) {
        case Kind::button:
            stage = PacingStage::pointer;
            return e.action == pacing_press;
        case Kind::character:
            stage = PacingStage::characters;
            return true;
        case Kind::key:
            stage = e.code == pacing_key_enter ? PacingStage::enter : PacingStage::backspace;
            return e.action == pacing_press;
        case Kind::move:
            return false;
    }
    return false;
}

PacedEvent& slot(InputPacer& p, std::size_t i) { return p.queue[(p.head + i) % pacing_capacity]; }

}  // namespace

bool letThrough(PacingFrame& f, const PacedEvent& e) {
    PacingStage stage = PacingStage::pointer;
    const bool staged = stageOf(e, stage);
    if (staged && stage < f.stage) return false;
    // A release waits for the frame after the pointer's last move, which sees the button held
    // there; the button cannot be let go unless it was held, so no other state is needed.
    if (e.kind == Kind::button && e.action != pacing_press && f.moved) return false;
    if (e.kind == Kind::character) {
        if (f.chars >= pacing_chars_per_frame) return false;
        f.chars += 1;
    } else {
        // A move waits once the button changed too, so that a click is seen where it was made.
        bool& changed = e.kind != Kind::key          ? f.button_changed
                        : e.code == pacing_key_enter ? f.enter_changed
                                                     : f.backspace_changed;
        if (changed) return false;
        if (e.kind == Kind::move)
            f.moved = true;
        else
            changed = true;
    }
    if (staged && stage > f.stage) f.stage = stage;
    return true;
}

bool isLeftPress(const PacedEvent& e) {
    return e.kind == Kind::button && e.code == pacing_left_button && e.action == pacing_press;
}

bool mergesAway(const PacedEvent& press, const PacedEvent& release, unsigned age,
                bool later_press_waiting) {
    return later_press_waiting && age > pacing_merge_after_frames && isLeftPress(press) &&
           release.kind == Kind::button && release.code == pacing_left_button &&
           release.action == pacing_release;
}

bool isPaced(const PacedEvent& e) {
    switch (e.kind) {
        case Kind::move:
        case Kind::character:
            return true;
        case Kind::button:
            return e.code == pacing_left_button;
        case Kind::key:
            // A repeat changes no key's state, so it is never held.
            return (e.code == pacing_key_backspace || e.code == pacing_key_enter) &&
                   e.action != pacing_repeat;
    }
    return false;
}

bool admitEvent(InputPacer& p, const PacedEvent& e) {
    if (p.count == 0 && letThrough(p.frame, e)) return true;
    PacedEvent waiting = e;
    waiting.frame = p.frames;
    // Between two waiting events only the pointer's last position matters.
    if (e.kind == Kind::move && p.count > 0 && slot(p, p.count - 1).kind == Kind::move) {
        slot(p, p.count - 1) = waiting;
        return false;
    }
    slot(p, p.count) = waiting;
    p.count += 1;
    return false;
}

bool takeDueEvent(InputPacer& p, PacedEvent& out) {
    if (p.count == 0) return false;
    // A merged click's press and release go out one after the other, outside the frame's rules:
    // raylib sees neither.
    bool later_press = false;
    for (std::size_t i = 2; i < p.count && !later_press; ++i) later_press = isLeftPress(slot(p, i));
    const bool merged = p.count >= 2 && mergesAway(slot(p, 0), slot(p, 1),
                                                   p.frames - slot(p, 0).frame, later_press);
    if (!p.merging && !merged && !letThrough(p.frame, slot(p, 0))) return false;
    p.merging = merged;
    return takeAnyEvent(p, out);
}

bool takeAnyEvent(InputPacer& p, PacedEvent& out) {
    if (p.count == 0) return false;
    out = p.queue[p.head];
    p.head = (p.head + 1) % pacing_capacity;
    p.count -= 1;
    return true;
}

void startInputFrame(InputPacer& p) {
    p.frame = PacingFrame{};
    p.frames += 1;
}

}  // namespace gui_demo
