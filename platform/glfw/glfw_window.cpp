// raylib's GLFW window (glfw_window.h), and the desktop's input pacer chained onto it.
//
// GLFW hands back the callback it replaces, so this file takes the window's mouse button, cursor,
// key, character and focus callbacks and passes each event on to raylib's: a key first to the
// screen reader, which may take it, then to the keyboard's navigation, which may take it too;
// input now or after the next frame, by the pacing rules (input_pacing.h); and the focus at once,
// noting it first.
// raylib polls the window system inside EndDrawing, so what releaseHeldInput lets through after a
// frame is seen by the next frame's snapshot. This file's state is the window system's: it lives
// as long as the window and is touched only on the frame loop's thread.
#include "glfw_window.h"

#include "gui_demo/input_pacing.h"
#include "gui_demo/platform.h"

namespace gui_demo {

namespace {

using Kind = PacedEvent::Kind;

struct GLFWwindow;
using MouseButtonFun = void (*)(GLFWwindow*, int, int, int);
using CursorPosFun = void (*)(GLFWwindow*, double, double);
using KeyFun = void (*)(GLFWwindow*, int, int, int, int);
using CharFun = void (*)(GLFWwindow*, unsigned int);
using FocusFun = void (*)(GLFWwindow*, int);
using GetCursorPosFun = void (*)(GLFWwindow*, double*, double*);
using GetIntPairFun = void (*)(GLFWwindow*, int*, int*);
using GetWin32WindowFun = void* (*)(GLFWwindow*);
constexpr int glfw_focused = 0x00020001;  // glfwGetWindowAttrib's GLFW_FOCUSED

struct Chain {
    GLFWwindow* window = nullptr;
    GetCursorPosFun get_cursor_pos = nullptr;
    GetIntPairFun get_window_pos = nullptr;
    GetIntPairFun get_window_size = nullptr;
    GetWin32WindowFun get_win32_window = nullptr;
    // raylib's own callbacks, which ours pass events on to.
    MouseButtonFun mouse_button = nullptr;
    CursorPosFun cursor_pos = nullptr;
    KeyFun key = nullptr;
    CharFun character = nullptr;
    FocusFun focus = nullptr;
    bool focused = false;
    bool hand_holds = false;  // the left button, as the window system last reported it
    bool key_taken = false;  // the screen reader or navigation took the last key, and its character
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
    if (button == pacing_left_button) chain.hand_holds = action == pacing_press;
    if (button == pacing_left_button && action == pacing_press) {
        double x = 0.0, y = 0.0;
        if (chain.get_cursor_pos) chain.get_cursor_pos(chain.window, &x, &y);
        glfw::pointerPressed(x, y);
    }
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
    chain.key_taken = screenReaderTakesKey(key, scancode, action, mods) ||
                      glfw::navigationTakesKey(key, action, mods);
    if (chain.key_taken) return;
    PacedEvent e;
    e.kind = Kind::key, e.code = key, e.scancode = scancode, e.action = action, e.mods = mods;
    offer(e);
}

void onChar(GLFWwindow*, unsigned int codepoint) {
    if (chain.key_taken) return;  // the character of a key the screen reader took
    glfw::beforeCharacter();
    PacedEvent e;
    e.kind = Kind::character, e.code = static_cast<int>(codepoint);
    offer(e);
}

void onFocus(GLFWwindow* window, int focused) {
    chain.focused = focused != 0;
    if (chain.focus) chain.focus(window, focused);
}

template <typename Fun>
Fun lookUp(const char* name) {
    return reinterpret_cast<Fun>(librarySymbol(name));
}

}  // namespace

bool installInputPacing() {
    using GetCurrentContext = GLFWwindow* (*)();
    using GetWindowAttrib = int (*)(GLFWwindow*, int);
    using SetMouseButton = MouseButtonFun (*)(GLFWwindow*, MouseButtonFun);
    using SetCursorPos = CursorPosFun (*)(GLFWwindow*, CursorPosFun);
    using SetKey = KeyFun (*)(GLFWwindow*, KeyFun);
    using SetChar = CharFun (*)(GLFWwindow*, CharFun);
    using SetFocus = FocusFun (*)(GLFWwindow*, FocusFun);
    const auto current = lookUp<GetCurrentContext>("glfwGetCurrentContext");
    const auto window_attrib = lookUp<GetWindowAttrib>("glfwGetWindowAttrib");
    const auto set_mouse_button = lookUp<SetMouseButton>("glfwSetMouseButtonCallback");
    const auto set_cursor_pos = lookUp<SetCursorPos>("glfwSetCursorPosCallback");
    const auto set_key = lookUp<SetKey>("glfwSetKeyCallback");
    const auto set_char = lookUp<SetChar>("glfwSetCharCallback");
    const auto set_focus = lookUp<SetFocus>("glfwSetWindowFocusCallback");
    if (!current || !window_attrib || !set_mouse_button || !set_cursor_pos || !set_key ||
        !set_char || !set_focus)
        return false;
    GLFWwindow* window = current();
    if (window == nullptr) return false;

    chain.window = window;
    chain.get_cursor_pos = lookUp<GetCursorPosFun>("glfwGetCursorPos");
    chain.get_window_pos = lookUp<GetIntPairFun>("glfwGetWindowPos");
    chain.get_window_size = lookUp<GetIntPairFun>("glfwGetWindowSize");
    chain.get_win32_window = lookUp<GetWin32WindowFun>("glfwGetWin32Window");
    chain.focused = window_attrib(window, glfw_focused) != 0;
    chain.mouse_button = set_mouse_button(window, onMouseButton);
    chain.cursor_pos = set_cursor_pos(window, onCursorPos);
    chain.key = set_key(window, onKey);
    chain.character = set_char(window, onChar);
    chain.focus = set_focus(window, onFocus);
    return true;
}

void releaseHeldInput() {
    if (chain.window == nullptr) return;
    releaseDueEvents(chain.pacer, forward);
    glfw::navigateAfterFrame();
}

void offerHandInput(const PacedEvent& e) {
    if (chain.window != nullptr) offer(e);
}

bool realPointer(double& x, double& y) {
    if (chain.window == nullptr || chain.get_cursor_pos == nullptr) return false;
    chain.get_cursor_pos(chain.window, &x, &y);
    return true;
}

bool handHoldsButton() { return chain.hand_holds; }

namespace glfw {

bool connected() { return chain.window != nullptr; }

void windowPosition(int& x, int& y) {
    x = y = 0;
    if (chain.get_window_pos) chain.get_window_pos(chain.window, &x, &y);
}

void windowSize(int& w, int& h) {
    w = h = 0;
    if (chain.get_window_size) chain.get_window_size(chain.window, &w, &h);
}

bool windowFocused() { return chain.focused; }

void* win32Window() {
    return chain.get_win32_window ? chain.get_win32_window(chain.window) : nullptr;
}

}  // namespace glfw

}  // namespace gui_demo
