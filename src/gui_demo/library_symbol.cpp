#include "library_symbol.h"

#if defined(__EMSCRIPTEN__)

namespace gui_demo {

// The page paces its input in its own script (web/index.html).
void* librarySymbol(const char*) { return nullptr; }

}  // namespace gui_demo

#else

#include <dlfcn.h>

namespace gui_demo {

// libraylib.so is loaded with the program, so its exports are in the global scope.
void* librarySymbol(const char* name) { return dlsym(RTLD_DEFAULT, name); }

}  // namespace gui_demo

#endif
