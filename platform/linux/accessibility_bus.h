// Finds the desktop's accessibility bus without ever waiting for it. ATK's AT-SPI bridge joins the
// bus with calls that block until the bus answers, and a bus that accepts and never answers (a
// stopped or hung dbus-daemon) would keep the window from ever drawing. So the bus is first asked
// for, and its answer awaited, in the background of GLib's main context, which the bridge runs
// for a moment after each frame; only a bus that has answered is joined.
#pragma once

namespace gui_demo {

enum class AccessibilityBus { looking, found, missing };

// Starts looking: at AT_SPI_BUS_ADDRESS if set, else at the address the session bus gives.
void lookForAccessibilityBus();

// Where the looking stands. Once found, AT_SPI_BUS_ADDRESS names the bus that answered, so the
// AT-SPI bridge joins that one without asking again.
AccessibilityBus accessibilityBus();

}  // namespace gui_demo
