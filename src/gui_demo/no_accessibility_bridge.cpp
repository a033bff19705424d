// Where the platform has no accessibility bridge of this kind (the page, which keeps its own
// mirror of the screen in web/screen_mirror.js): both calls do nothing.
#include "accessibility_bridge.h"

namespace gui_demo {

void startAccessibility(const DemoState&, const LoopClock&) {}
void serveAccessibility() {}

}  // namespace gui_demo
