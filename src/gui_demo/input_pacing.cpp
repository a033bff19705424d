// The pacing rules (input_pacing.h), and the desktop's pacer chained onto raylib's GLFW callbacks.
#include "input_pacing.h"

#include "library_symbol.h"

namespace gui_demo {

namespace {

using Kind = PacedEvent::Kind;

constexpr int stage_pointer = 0;
constexpr int stage_characters = 1;
constexpr int stage_backspace = 2;
constexpr int stage_enter = 3;
constexpr int press = 1;

// The stage a press of this kind belongs to; releases and moves belong to none.
int stageOf(const PacedEvent& e) {
    switch (e.kind) {
        case Kind::button:
            return e.action == press ? stage_pointer : -1;
        case Kind::character:
            return stage_characters;
        case Kind::key:
            if (e.action != press) return -1;
            return e.code == pacing_key_enter ? stage_enter : stage_backspace;
        case Kind::move:
            return -1;
    }
    return -1;
}

PacedEvent& slot(InputPacer& p, std::size_t i) { return p.queue[(p.head + i) % pacing_capacity]; }

}  // namespace

bool letThrough(PacingFrame& f, const PacedEvent& e) {
    const int stage = stageOf(e);
    if (stage >= 0 && stage < f.stage) return false;
    // A release waits for the frame after the pointer's last move, which sees the button held
    // there; the button cannot be let go unless it was held, so no other state is needed.
    if (e.kind == Kind::button && e.action != press && f.moved) return false;
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
    if (stage > f.stage) f.stage = stage;
    return true;
}

bool mergesAway(const PacedEvent& press, const PacedEvent& release, unsigned age,
                std::size_t waiting) {
    return waiting > 2 && age > pacing_merge_after_frames && press.kind == Kind::button &&
           release.kind == Kind::button && press.code == pacing_left_button &&
           release.code == pacing_left_button && press.action == 1 && release.action == 0;
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
            return (e.code == pacing_key_backspace || e.code == pacing_key_enter) && e.action < 2;
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
    const bool merged =
        p.count >= 2 && mergesAway(slot(p, 0), slot(p, 1), p.frames - slot(p, 0).frame, p.count);
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

// ---- The desktop's pacer ----------------------------------------------------------------------
//
// GLFW hands back the callback it replaces, so the pacer takes the window's mouse button, cursor,
// key and character callbacks and passes each event on to raylib's, now or after the next frame.
// raylib polls the window system inside EndDrawing, so what releaseHeldInput lets through after a
// frame is seen by the next frame's snapshot. This file's state is the window system's: it lives
// as long as the window and is touched only on the frame loop's thread.

namespace {

struct GLFWwindow;
using MouseButtonFun = void (*)(GLFWwindow*, int, int, int);
using CursorPosFun = void (*)(GLFWwindow*, double, double);
using KeyFun = void (*)(GLFWwindow*, int, int, int, int);
using CharFun = void (*)(GLFWwindow*, unsigned int);

using GetCursorPosFun = void (*)(GLFWwindow*, double*, double*);

struct Chain {
    GLFWwindow* window = nullptr;
    GetCursorPosFun get_cursor_pos = nullptr;
    MouseButtonFun mouse_button = nullptr;
    CursorPosFun cursor_pos = nullptr;
    KeyFun key = nullptr;
    CharFun character = nullptr;
    InputPacer pacer;
};

Chain chain;

void forward(const PacedEvent& e) {
    switch (e.kind) {
        case Kind::move:
            if (chain.cursor_pos) chain.cursor_pos(chain.window, e.x, e.y);
            break;
        case Kind::button:
            if (chain.mouse_button) chain.mouse_button(chain.window, e.code, e.action, e.mods);
            break;
        case Kind::key:
            if (chain.key) chain.key(chain.window, e.code, e.scancode, e.action, e.mods);
            break;
        case Kind::character:
            if (chain.character) chain.character(chain.window, static_cast<unsigned>(e.code));
            break;
    }
}

void offer(const PacedEvent& e) { offerEvent(chain.pacer, e, forward); }

void onMouseButton(GLFWwindow*, int button, int action, int mods) {
    PacedEvent e;
    e.kind = Kind::button, e.code = button, e.action = action, e.mods = mods;
    offer(e);
}

void onCursorPos(GLFWwindow*, double x, double y) {
    PacedEvent e;
    e.kind = Kind::move, e.x = x, e.y = y;
    offer(e);
}

void onKey(GLFWwindow*, int key, int scancode, int action, int mods) {
    PacedEvent e;
    e.kind = Kind::key, e.code = key, e.scancode = scancode, e.action = action, e.mods = mods;
    offer(e);
}

void onChar(GLFWwindow*, unsigned int codepoint) {
    PacedEvent e;
    e.kind = Kind::character, e.code = static_cast<int>(codepoint);
    offer(e);
}

template <typename Fun>
Fun lookUp(const char* name) {
    return reinterpret_cast<Fun>(librarySymbol(name));
}

}  // namespace

bool installInputPacing() {
    using GetCurrentContext = GLFWwindow* (*)();
    using SetMouseButton = MouseButtonFun (*)(GLFWwindow*, MouseButtonFun);
    using SetCursorPos = CursorPosFun (*)(GLFWwindow*, CursorPosFun);
    using SetKey = KeyFun (*)(GLFWwindow*, KeyFun);
    using SetChar = CharFun (*)(GLFWwindow*, CharFun);
    const auto current = lookUp<GetCurrentContext>("glfwGetCurrentContext");
    const auto set_mouse_button = lookUp<SetMouseButton>("glfwSetMouseButtonCallback");
    const auto set_cursor_pos = lookUp<SetCursorPos>("glfwSetCursorPosCallback");
    const auto set_key = lookUp<SetKey>("glfwSetKeyCallback");
    const auto set_char = lookUp<SetChar>("glfwSetCharCallback");
    if (!current || !set_mouse_button || !set_cursor_pos || !set_key || !set_char) return false;
    GLFWwindow* window = current();
    if (window == nullptr) return false;

    chain.window = window;
    chain.get_cursor_pos = lookUp<GetCursorPosFun>("glfwGetCursorPos");
    chain.mouse_button = set_mouse_button(window, onMouseButton);
    chain.cursor_pos = set_cursor_pos(window, onCursorPos);
    chain.key = set_key(window, onKey);
    chain.character = set_char(window, onChar);
    return true;
}

void releaseHeldInput() {
    if (chain.window != nullptr) releaseDueEvents(chain.pacer, forward);
}

void offerHandInput(const PacedEvent& e) {
    if (chain.window != nullptr) offer(e);
}

bool realPointer(double& x, double& y) {
    if (chain.window == nullptr || chain.get_cursor_pos == nullptr) return false;
    chain.get_cursor_pos(chain.window, &x, &y);
    return true;
}

}  // namespace gui_demo
