#include "fake_platform.h"

#include "gui_demo/platform.h"

namespace fake {

namespace {
PlatformCalls recorded;
double pointer_x = 0.0, pointer_y = 0.0;
}  // namespace

PlatformCalls& platform() { return recorded; }
void resetPlatform() {
    recorded = PlatformCalls{};
    pointer_x = pointer_y = 0.0;
}
void setRealPointer(double x, double y) { pointer_x = x, pointer_y = y; }

}  // namespace fake

namespace gui_demo {

void reportNoWindow() { fake::recorded.no_window += 1; }
bool installInputPacing() { return false; }
void releaseHeldInput() {}
void offerHandInput(const PacedEvent& e) { fake::recorded.hand_input.push_back(e); }
bool realPointer(double& x, double& y) {
    x = fake::pointer_x, y = fake::pointer_y;
    return true;
}
bool handHoldsButton() { return fake::recorded.hand_holds; }
void startAccessibility(const DemoState&, const LoopClock&) {
    fake::recorded.accessibility_started += 1;
}
void serveAccessibility() { fake::recorded.frames_served += 1; }
void startNavigation(const DemoState&, const LoopClock&, Navigation&) {}
void toggleAnimationPause() {}
void keyboardFollowsReader(int) {}

}  // namespace gui_demo
