#include "frontend/qt/keyboard_default.h"

#include <gtest/gtest.h>

#include <string>

namespace vantorix {
namespace {

struct DefaultCase {
    const char* desktop;
    DesktopSession session;
    std::string backend;
    bool saysWhyNot;
};

TEST(DefaultKeyboard, TypesIntoEveryWindowTheDesktopLets) {
    const DefaultCase cases[] = {
        {"sway", {true, true, true}, "wayland", false},
        {"sway without XWayland", {true, true, false}, "wayland", false},
        {"GNOME or KDE on Wayland", {true, false, true}, "x11", false},
        {"Wayland without protocol or XWayland", {true, false, false}, "none", true},
        {"X11 session", {false, false, true}, "x11", false},
        {"no desktop", {false, false, false}, "none", true},
    };
    for (const auto& [desktop, session, backend, saysWhyNot] : cases) {
        const KeyboardDefault chosen = defaultKeyboardFor(session);
        EXPECT_EQ(chosen.backend, backend) << desktop;
        EXPECT_EQ(!chosen.noTypingReason.empty(), saysWhyNot) << desktop;
    }
}

struct WarningCase {
    const char* what;
    std::string backend;
    DesktopSession session;
    bool warns;          // on standard error
    bool warnsInWindow;  // in the window too
};

TEST(DefaultKeyboard, WarnsWheneverXTestTypesUnderWaylandAndInTheWindowWhereItIsTheOnlyWay) {
    const WarningCase cases[] = {
        {"x11 on GNOME or KDE Wayland", "x11", {true, false, true}, true, true},
        {"x11 chosen on sway", "x11", {true, true, true}, true, false},
        {"x11 in an X11 session", "x11", {false, false, true}, false, false},
        {"wayland on sway", "wayland", {true, true, true}, false, false},
        {"print under Wayland", "print", {true, false, true}, false, false},
        {"none on Wayland without protocol", "none", {true, false, false}, false, false},
    };
    for (const auto& [what, backend, session, warns, warnsInWindow] : cases) {
        const std::string warning = keyboardWarning(backend, session);
        EXPECT_EQ(!warning.empty(), warns) << what;
        EXPECT_EQ(warns, warning.find("only X11 applications") != std::string::npos) << warning;
        const std::string windowWarning = keyboardWindowWarning(backend, session);
        EXPECT_EQ(!windowWarning.empty(), warnsInWindow) << what;
        if (warnsInWindow) {
            EXPECT_EQ(windowWarning.rfind(warning, 0), 0U) << windowWarning;
            EXPECT_NE(windowWarning.find("Desktops: X11 and Wayland"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace vantorix
