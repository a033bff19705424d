#include "glfw/glfw_window.h"

#include <windows.h>

namespace gui_demo {

// The program links libraylib.dll by name, so the DLL is loaded before main runs.
void* librarySymbol(const char* name) {
    HMODULE raylib = GetModuleHandleA("libraylib.dll");
    if (raylib == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(raylib, name));
}

}  // namespace gui_demo
