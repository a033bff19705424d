// raylib's GLFW window, as the desktop platforms reach it: every GLFW function the program uses
// is looked up here, and every one of raylib's GLFW callbacks that the program chains onto is
// chained here (glfw_window.cpp). The pacer (platform.h's installInputPacing and the rest) is
// built on it; the accessibility bridges ask it where the window is and whether it has the focus.
//
// raylib does not declare GLFW, and a raylib of the user's own may hide it: each function is found
// by name at run time, and where one is missing the program runs as if input came once a frame,
// with no accessibility bridge. Kept free of raylib.h and of GLFW's own header, so that a file
// that includes <windows.h> can include it.
#pragma once

namespace gui_demo {

// Finds a function that the graphics library exports beyond raylib's own API, or nullptr where
// the library keeps it hidden. Each desktop platform supplies its own: dlsym on Linux
// (platform/linux/library_symbol.cpp), the DLL's export table on Windows
// (platform/windows/library_symbol.cpp).
void* librarySymbol(const char* name);

// Whether the desktop's screen reader takes a key for itself (its own commands), before anything
// else sees it: a key it takes reaches neither the pacer nor the program, nor does the character
// it would type. Each desktop platform's bridge supplies it (on Linux, ATK's key listeners, as a
// toolkit hands its keys to them; on Windows, where screen readers hook the keyboard themselves,
// it takes none). key, scancode, action and mods are GLFW's.
bool screenReaderTakesKey(int key, int scancode, int action, int mods);

namespace glfw {

// Whether installInputPacing has found the window and chained its callbacks.
bool connected();

// The window's place on the screen and its size, in screen pixels; zero where unknown.
void windowPosition(int& x, int& y);
void windowSize(int& w, int& h);

// Whether the window has the keyboard focus, as GLFW last reported it (not asked of the window
// system: that would cost a round trip each frame).
bool windowFocused();

// The window's handle on Windows (an HWND), or nullptr elsewhere.
void* win32Window();

// The keyboard's navigation (navigation_input.cpp), which the callbacks consult before the pacer:
// whether it takes a key (GLFW's key, action and mods; releases always go on), a character about
// to be typed, a real press of the pointer at window pixel (x, y); and after each frame, the game
// controller read and the frame counted.
bool navigationTakesKey(int key, int action, int mods);
void beforeCharacter();
void pointerPressed(double x, double y);
void navigateAfterFrame();
// The node a screen reader's focus follows, just after the keyboard moved it; else -1.
int keyboardFocus();

}  // namespace glfw

}  // namespace gui_demo
