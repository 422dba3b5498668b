#include "frontend/qt/keyboard_default.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
        {"sway", {true, "virtual keyboard", true}, "wayland", false},
        {"sway without XWayland", {true, "virtual keyboard", false}, "wayland", false},
        {"GNOME", {true, "GNOME remote desktop", true}, "wayland", false},
        {"KDE Plasma, authorised", {true, "KWin fake input", false, true}, "wayland", false},
        {"KDE Plasma, not authorised", {true, "", true, true}, "x11", false},
        {"Wayland without protocol or XWayland", {true, "", false}, "none", true},
        {"X11 session", {false, "", true}, "x11", false},
        {"no desktop", {false, "", false}, "none", true},
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
        {"x11 on KDE Plasma, not authorised", "x11", {true, "", true, true}, true, true},
        {"x11 chosen on sway", "x11", {true, "virtual keyboard", true}, true, false},
        {"x11 chosen on GNOME", "x11", {true, "GNOME remote desktop", true}, true, false},
        {"x11 in an X11 session", "x11", {false, "", true}, false, false},
        {"wayland on sway", "wayland", {true, "virtual keyboard", true}, false, false},
        {"print under Wayland", "print", {true, "", true}, false, false},
        {"none on Wayland without protocol", "none", {true, "", false}, false, false},
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

TEST(DefaultKeyboard, OnKdePlasmaWithoutTheFakeInputPointsToTheDesktopEntry) {
    const DesktopSession kde{true, "", true, true};
    const DesktopSession otherDesktop{true, "", true, false};
    EXPECT_NE(keyboardWarning("x11", kde).find("desktop entry"), std::string::npos);
    EXPECT_EQ(keyboardWarning("x11", otherDesktop).find("desktop entry"), std::string::npos);
    const DesktopSession kdeWithoutX{true, "", false, true};
    EXPECT_NE(defaultKeyboardFor(kdeWithoutX).noTypingReason.find("desktop entry"),
              std::string::npos);
}

TEST(DefaultKeyboard, NamesTheWaylandRouteInUse) {
    struct Case {
        std::string backend;
        DesktopSession session;
        std::string description;
    };
    const std::vector<Case> cases = {
        {"wayland",
         {true, "GNOME remote desktop", true},
         "wayland, through the GNOME remote desktop"},
        {"wayland", {true, "KWin fake input", false, true}, "wayland, through the KWin fake input"},
        {"x11", {true, "GNOME remote desktop", true}, "x11"},
        {"x11", {false, "", true}, "x11"},
    };
    for (const auto& [backend, session, description] : cases) {
        EXPECT_EQ(keyboardRouteDescription(backend, session), description);
    }
}

}  // namespace
}  // namespace vantorix
