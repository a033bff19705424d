// Where the platform has no accessibility bridge (the Windows build, for now): the window stays
// off the desktop's accessibility tree, as accessibility_bridge.h says.
#include "accessibility_bridge.h"

namespace gui_demo {

void startAccessibility(const DemoState&, const LoopClock&) {}
void serveAccessibility() {}

}  // namespace gui_demo
