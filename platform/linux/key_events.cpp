// GLFW's keys as ATK's key events (key_events.h).
#include "key_events.h"

#include <cstdint>

namespace gui_demo {

namespace {

// GLFW's key codes and modifier bits, and GDK's modifier bits, which ATK's events carry.
constexpr int glfw_release = 0;
constexpr int glfw_shift = 0x1, glfw_control = 0x2, glfw_alt = 0x4, glfw_super = 0x8;
constexpr int glfw_caps_lock = 0x10, glfw_num_lock = 0x20;
constexpr unsigned gdk_shift = 1u << 0, gdk_lock = 1u << 1, gdk_control = 1u << 2;
constexpr unsigned gdk_alt = 1u << 3, gdk_num_lock = 1u << 4, gdk_super = 1u << 6;

// What a printable key types with Shift on a US keyboard.
char shiftedUs(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    constexpr char plain[] = "`1234567890-=[]\\;',./";
    constexpr char shifted[] = "~!@#$%^&*()_+{}|:\"<>?";
    for (int i = 0; plain[i] != '\0'; ++i) {
        if (plain[i] == c) return shifted[i];
    }
    return c;
}

// Keysyms of the keys that type nothing, by GLFW key code.
struct Named {
    int key;
    unsigned keysym;
};
constexpr Named named[] = {
    {256, 0xff1b},  // Escape
    {257, 0xff0d},  // Return
    {258, 0xff09},  // Tab
    {259, 0xff08},  // BackSpace
    {260, 0xff63},  // Insert
    {261, 0xffff},  // Delete
    {262, 0xff53},  // Right
    {263, 0xff51},  // Left
    {264, 0xff54},  // Down
    {265, 0xff52},  // Up
    {266, 0xff55},  // Page_Up
    {267, 0xff56},  // Page_Down
    {268, 0xff50},  // Home
    {269, 0xff57},  // End
    {280, 0xffe5},  // Caps_Lock
    {281, 0xff14},  // Scroll_Lock
    {282, 0xff7f},  // Num_Lock
    {283, 0xff61},  // Print
    {284, 0xff13},  // Pause
    {320, 0xff9e},  // KP_Insert (KP_0)
    {321, 0xff9c},  // KP_End
    {322, 0xff99},  // KP_Down
    {323, 0xff9b},  // KP_Page_Down
    {324, 0xff96},  // KP_Left
    {325, 0xff9d},  // KP_Begin
    {326, 0xff98},  // KP_Right
    {327, 0xff95},  // KP_Home
    {328, 0xff97},  // KP_Up
    {329, 0xff9a},  // KP_Page_Up (KP_9)
    {330, 0xff9f},  // KP_Delete (KP_Decimal)
    {331, 0xffaf},  // KP_Divide
    {332, 0xffaa},  // KP_Multiply
    {333, 0xffad},  // KP_Subtract
    {334, 0xffab},  // KP_Add
    {335, 0xff8d},  // KP_Enter
    {336, 0xffbd},  // KP_Equal
    {340, 0xffe1},  // Shift_L
    {341, 0xffe3},  // Control_L
    {342, 0xffe9},  // Alt_L
    {343, 0xffeb},  // Super_L
    {344, 0xffe2},  // Shift_R
    {345, 0xffe4},  // Control_R
    {346, 0xffea},  // Alt_R
    {347, 0xffec},  // Super_R
    {348, 0xff67},  // Menu
};

}  // namespace

bool atkKeyEvent(int key, int scancode, int action, int mods, char (&text)[2],
                 AtkKeyEventStruct& e) {
    unsigned keysym = 0;
    text[0] = text[1] = '\0';
    const bool shift = (mods & glfw_shift) != 0;
    if (key >= 32 && key <= 96) {  // printable: GLFW codes them as the unshifted ASCII
        const char plain =
            key >= 'A' && key <= 'Z' ? static_cast<char>(key - 'A' + 'a') : static_cast<char>(key);
        const char typed = shift ? shiftedUs(plain) : plain;
        keysym = static_cast<unsigned char>(typed);
        if ((mods & (glfw_control | glfw_alt | glfw_super)) == 0) text[0] = typed;
    } else if (key >= 290 && key <= 314) {  // F1 to F25
        keysym = 0xffbeu + static_cast<unsigned>(key - 290);
    } else if (key == 258 && shift) {
        keysym = 0xfe20;  // ISO_Left_Tab
    } else {
        for (const Named& n : named) {
            if (n.key == key) keysym = n.keysym;
        }
    }
    if (keysym == 0) return false;
    if (key == 257 || key == 335) text[0] = '\r';

    unsigned state = 0;
    if (shift) state |= gdk_shift;
    if (mods & glfw_control) state |= gdk_control;
    if (mods & glfw_alt) state |= gdk_alt;
    if (mods & glfw_super) state |= gdk_super;
    if (mods & glfw_caps_lock) state |= gdk_lock;
    if (mods & glfw_num_lock) state |= gdk_num_lock;

    e = AtkKeyEventStruct{};
    e.type = action == glfw_release ? ATK_KEY_EVENT_RELEASE : ATK_KEY_EVENT_PRESS;
    e.state = state;
    e.keyval = keysym;
    e.string = text;
    e.length = text[0] != '\0' ? 1 : 0;
    e.keycode = static_cast<guint16>(scancode);
    e.timestamp = static_cast<guint32>(static_cast<std::uint64_t>(g_get_monotonic_time() / 1000));
    return true;
}

}  // namespace gui_demo
