// The keyboard's and a game controller's navigation (navigation.h), as the window's callbacks and
// the loop reach it: glfw_window.cpp hands each key, character and real pointer press here before
// the pacer sees it, and after each frame this file reads the first game controller GLFW knows.
// It keeps what the loop lent it (startNavigation), touched only on the loop's thread.
#include "glfw_window.h"
#include "gui_demo/demo.h"
#include "gui_demo/input_pacing.h"
#include "gui_demo/navigation.h"
#include "gui_demo/platform.h"

namespace gui_demo {

namespace {

// GLFW's gamepad state: 15 buttons, 6 axes.
struct GamepadState {
    unsigned char buttons[15];
    float axes[6];
};
using JoystickPresentFun = int (*)(int);
using GetGamepadStateFun = int (*)(int, GamepadState*);
constexpr int glfw_joysticks = 16;

struct Navigator {
    const DemoState* state = nullptr;
    const LoopClock* clock = nullptr;
    Navigation* nav = nullptr;
    JoystickPresentFun joystick_present = nullptr;
    GetGamepadStateFun get_gamepad_state = nullptr;
    ScreenDescription now;  // the screen as it stands, described when a key needs it
};

Navigator navigator;

const ScreenDescription& screenNow() {
    describeScreen(*navigator.state, *navigator.clock, navigator.now);
    return navigator.now;
}

// The first game controller present with a gamepad mapping, read into r; false if none.
bool readController(PadReading& r) {
    if (!navigator.joystick_present || !navigator.get_gamepad_state) return false;
    for (int j = 0; j < glfw_joysticks; ++j) {
        GamepadState s = {};
        if (navigator.joystick_present(j) && navigator.get_gamepad_state(j, &s)) {
            r = readPad(s.buttons, s.axes);
            return true;
        }
    }
    return false;
}

}  // namespace

void startNavigation(const DemoState& state, const LoopClock& clock, Navigation& nav) {
    if (!glfw::connected()) return;
    navigator.state = &state;
    navigator.clock = &clock;
    navigator.nav = &nav;
    navigator.joystick_present =
        reinterpret_cast<JoystickPresentFun>(librarySymbol("glfwJoystickPresent"));
    navigator.get_gamepad_state =
        reinterpret_cast<GetGamepadStateFun>(librarySymbol("glfwGetGamepadState"));
}

void toggleAnimationPause() {
    if (navigator.nav) navigator.nav->viewing.animation_paused ^= true;
}

void keyboardFollowsReader(int i) {
    if (navigator.nav) followReader(*navigator.nav, screenNow(), i);
}

namespace glfw {

bool navigationTakesKey(int key, int action, int mods) {
    if (!navigator.nav || action == pacing_release) return false;
    if (key == pacing_key_backspace) {
        beforeTyping(*navigator.nav, screenNow());
        return false;
    }
    return navigateByKey(*navigator.nav, screenNow(), key, mods);
}

void beforeCharacter() {
    if (navigator.nav) beforeTyping(*navigator.nav, screenNow());
}

void pointerPressed(double x, double y) {
    if (navigator.nav)
        gui_demo::pointerPressed(*navigator.nav, screenNow(), static_cast<int>(x),
                                 static_cast<int>(y));
}

void navigateAfterFrame() {
    if (!navigator.nav) return;
    Navigation& nav = *navigator.nav;
    PadReading pad;
    if (readController(pad)) {
        NavCommand commands[pad_max_commands];
        const int count = padCommands(nav.pad, pad, commands);
        for (int k = 0; k < count; ++k) navigate(nav, screenNow(), commands[k], true);
    }
    navigationFrame(nav);
}

int keyboardFocus() { return navigator.nav ? focusNode(*navigator.nav) : -1; }

}  // namespace glfw

}  // namespace gui_demo
