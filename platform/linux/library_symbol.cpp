#include <dlfcn.h>

#include "glfw/glfw_window.h"

namespace gui_demo {

// libraylib.so is loaded with the program, so its exports are in the global scope.
void* librarySymbol(const char* name) { return dlsym(RTLD_DEFAULT, name); }

}  // namespace gui_demo
