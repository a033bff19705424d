// The Windows build's report of a window that could not open. The program is linked as a GUI
// program, so no console shows its stderr when it is double-clicked: the line still goes to
// stderr (a console that starts it shows it), and a message box says the same in plain words.
// What is missing there is nearly always the driver: virtual machines and remote desktop
// sessions often offer only OpenGL 1.1.
#include <windows.h>

#include <cstdio>

#include "gui_demo/platform.h"

namespace gui_demo {

void reportNoWindow() {
    std::fputs("gui_demo: could not open the window: it needs a graphics driver with OpenGL 3.3\n",
               stderr);
    MessageBoxW(nullptr,
                L"The Zelkor GUI demo could not open its window: it needs a graphics driver "
                L"with OpenGL 3.3 or later.",
                L"Zelkor GUI demo", MB_OK | MB_ICONERROR);
}

}  // namespace gui_demo
