#include "gui_demo/platform.h"

#include <cstdio>

namespace gui_demo {

void reportNoWindow() {
    std::fputs(
        "gui_demo: could not open the window: it needs an X11 display with OpenGL 3.3 "
        "(Mesa's software renderer, package libgl1-mesa-dri, is enough); the library's "
        "messages above give the cause\n",
        stderr);
}

}  // namespace gui_demo
