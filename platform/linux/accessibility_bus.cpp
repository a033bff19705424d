// The accessibility bus, found without waiting (accessibility_bus.h). Each step is a GDBus call
// whose answer arrives in GLib's main context; a step that is never answered leaves the looking
// where it was, and the window off the accessibility tree, while frames go on.
#include "accessibility_bus.h"

#include <gio/gio.h>

#include <cstdlib>

namespace gui_demo {

namespace {

struct Looking {
    AccessibilityBus state = AccessibilityBus::missing;
    gchar* address = nullptr;  // the accessibility bus's, once the session bus has given it
};

Looking looking;

constexpr auto bus_flags = static_cast<GDBusConnectionFlags>(
    G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION);

void missing(GError* error) {
    if (error) g_error_free(error);
    looking.state = AccessibilityBus::missing;
}

// The accessibility bus answered: the AT-SPI bridge may join it.
void onAccessibilityBus(GObject*, GAsyncResult* result, gpointer) {
    GError* error = nullptr;
    GDBusConnection* bus = g_dbus_connection_new_for_address_finish(result, &error);
    if (!bus) return missing(error);
    g_dbus_connection_close(bus, nullptr, nullptr, nullptr);
    g_object_unref(bus);
    setenv("AT_SPI_BUS_ADDRESS", looking.address, 1);
    looking.state = AccessibilityBus::found;
}

void askAccessibilityBus() {
    g_dbus_connection_new_for_address(looking.address, bus_flags, nullptr, nullptr,
                                      onAccessibilityBus, nullptr);
}

void onAddress(GObject* session, GAsyncResult* result, gpointer) {
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(session), result, &error);
    g_object_unref(session);
    if (!reply) return missing(error);
    g_variant_get(reply, "(s)", &looking.address);
    g_variant_unref(reply);
    askAccessibilityBus();
}

// The session bus answered: it is asked where the accessibility bus is (which starts it).
void onSessionBus(GObject*, GAsyncResult* result, gpointer) {
    GError* error = nullptr;
    GDBusConnection* session = g_dbus_connection_new_for_address_finish(result, &error);
    if (!session) return missing(error);
    g_dbus_connection_call(session, "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                           nullptr, G_VARIANT_TYPE("(s)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr,
                           onAddress, nullptr);
}

}  // namespace

void lookForAccessibilityBus() {
    const char* direct = std::getenv("AT_SPI_BUS_ADDRESS");
    const char* session = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (direct != nullptr) {
        looking.state = AccessibilityBus::looking;
        looking.address = g_strdup(direct);
        askAccessibilityBus();
    } else if (session != nullptr) {
        looking.state = AccessibilityBus::looking;
        g_dbus_connection_new_for_address(session, bus_flags, nullptr, nullptr, onSessionBus,
                                          nullptr);
    }
}

AccessibilityBus accessibilityBus() { return looking.state; }

}  // namespace gui_demo
