// Tells the person who started the program that its window could not open, where they will see
// it. Each platform's build links its own: on Linux one line on stderr (no_window.cpp); on
// Windows, where a GUI program's stderr goes nowhere, also a message box (windows/no_window.cpp).
// Kept apart from demo.h so that a file that includes <windows.h> can declare it without raylib.h,
// whose names clash with the Windows headers'.
#pragma once

namespace gui_demo {

void reportNoWindow();

}  // namespace gui_demo
