// Finds a function that the graphics library exports beyond raylib's own API (GLFW's, which the
// input pacer chains onto), or nullptr where the library keeps it hidden. Each platform's build
// links its own: dlsym on Linux (library_symbol.cpp), the DLL's export table on Windows
// (windows/library_symbol.cpp). Kept apart from demo.h for the same reason as no_window.h.
#pragma once

namespace gui_demo {

void* librarySymbol(const char* name);

}  // namespace gui_demo
