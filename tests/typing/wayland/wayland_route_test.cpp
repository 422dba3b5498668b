// Which way the program types on a Wayland desktop, from what the desktop offers.
#include <gtest/gtest.h>

#include "typing/wayland/keyboard_wayland.h"

namespace vantorix {
namespace {

TEST(WaylandRoute, TakesTheFirstOfVirtualKeyboardKwinFakeInputAndMutterRemoteDesktop) {
    struct Case {
        const char* desktop;
        WaylandOffers offers;
        WaylandRoute route;
    };
    const Case cases[] = {
        {"sway", {true, false, false}, WaylandRoute::VirtualKeyboard},
        {"a compositor offering everything", {true, true, true}, WaylandRoute::VirtualKeyboard},
        {"KDE Plasma, authorised", {false, true, false}, WaylandRoute::KwinFakeInput},
        {"KDE Plasma beside a mutter", {false, true, true}, WaylandRoute::KwinFakeInput},
        {"GNOME", {false, false, true}, WaylandRoute::MutterRemoteDesktop},
        {"KDE Plasma, not authorised", {false, false, false}, WaylandRoute::None},
    };
    for (const auto& [desktop, offers, route] : cases) {
        EXPECT_EQ(chooseWaylandRoute(offers), route) << desktop;
    }
}

}  // namespace
}  // namespace vantorix
