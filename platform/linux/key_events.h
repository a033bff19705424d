// GLFW's keys as the key events ATK's listeners take, which its AT-SPI bridge sends to the
// screen reader: the X keysym, the text the key types and the modifier state a GTK program would
// give. GLFW reports keys by their place on a US keyboard, so that is the layout told; the
// keypad's keys are told as with Num Lock off, as a screen reader's review keys expect them.
#pragma once

#include <atk/atk.h>

namespace gui_demo {

// Fills e (its string points into text, which must outlive it) from GLFW's key, scancode, action
// and mods; false for a key that has no keysym here.
bool atkKeyEvent(int key, int scancode, int action, int mods, char (&text)[2],
                 AtkKeyEventStruct& e);

}  // namespace gui_demo
