// A game controller for the real-window tests, which have no input devices to fake one with:
// preloaded ahead of raylib, this library answers GLFW's glfwJoystickPresent and
// glfwGetGamepadState for joystick 0 from the file GUI_DEMO_FAKE_PAD_FILE names, read at each
// call: 15 digits for GLFW's gamepad buttons (1 held), then the left stick's x and y. raylib asks
// a present joystick's name as the window opens, so that is answered too.
#include <cstdio>
#include <cstdlib>

namespace {

struct GamepadState {
    unsigned char buttons[15];
    float axes[6];
};

bool readState(GamepadState& s) {
    const char* path = std::getenv("GUI_DEMO_FAKE_PAD_FILE");
    FILE* f = path ? std::fopen(path, "r") : nullptr;
    if (f == nullptr) return false;
    char buttons[16] = {};
    float x = 0.0f, y = 0.0f;
    const bool read = std::fscanf(f, "%15s %f %f", buttons, &x, &y) == 3;
    std::fclose(f);
    if (!read) return false;
    s = GamepadState{};
    for (int i = 0; i < 15; ++i) s.buttons[i] = buttons[i] == '1';
    s.axes[0] = x, s.axes[1] = y;
    return true;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int glfwJoystickPresent(int jid) {
    GamepadState s;
    return jid == 0 && readState(s);
}

__attribute__((visibility("default"))) const char* glfwGetJoystickName(int jid) {
    return glfwJoystickPresent(jid) ? "Stand-in controller" : nullptr;
}

__attribute__((visibility("default"))) int glfwGetGamepadState(int jid, GamepadState* state) {
    return jid == 0 && readState(*state);
}
}
