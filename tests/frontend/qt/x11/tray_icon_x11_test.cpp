#include "frontend/qt/tray_icon.h"

#include <QtCore/qtestsupport_core.h>
#include <QDeadlineTimer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "frontend/qt/form1.h"
#include "frontend/qt/vantorix_picture.h"
#include "frontend/qt/window_session.h"
#include "frontend/qt/x11/other_client.h"
#include "frontend/qt/x11/test_display.h"
#include "support/fake_desktop.h"
#include "support/fake_keyboard.h"
#include "support/fake_message_boxes.h"
#include "support/pty_pair.h"

namespace vantorix {
namespace {

using namespace test;

constexpr int kTimeoutMs = 10000;

TEST(TipText, TheCarriageReturnBreaksTheLine) {
    EXPECT_EQ(tipText(kIdleTip), QStringLiteral("VanTorix\n    Idle"));
    EXPECT_EQ(tipText(kRunningTip), QStringLiteral("VanTorix\n Running"));
}

// The icon is made for small squares: at every size its picture reaches
// across most of the square both ways, not a wide picture shrunk to a strip.
TEST(TrayIconPicture, FillsItsSquareAtEverySize) {
    const QIcon image = vantorixIcon();
    ASSERT_TRUE(image.availableSizes().contains(QSize(22, 22)));
    for (const QSize size : image.availableSizes()) {
        const QImage picture = image.pixmap(size).toImage();
        QRect painted;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (picture.pixelColor(x, y).alpha() > 128) {
                    painted |= QRect(x, y, 1, 1);
                }
            }
        }
        EXPECT_EQ(picture.size(), size);
        EXPECT_GE(painted.width(), size.width() * 8 / 10) << size.width();
        EXPECT_GE(painted.height(), size.height() * 8 / 10) << size.width();
    }
}

TEST(TrayIconWithoutTray, RestoresNothingAndTheProgramRunsOn) {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        GTEST_SKIP() << "this desktop has a notification area";
    }
    TrayIcon icon(vantorixIcon());
    EXPECT_FALSE(icon.restoresWindows());
    icon.place(kIdleTip);
    EXPECT_FALSE(icon.restoresWindows());
    icon.setTip(kRunningTip);
    EXPECT_EQ(icon.toolTip(), QStringLiteral("VanTorix\n Running"));
    icon.remove();
    EXPECT_FALSE(icon.restoresWindows());
}

TEST(TrayIconLater, AnIconPlacedBeforeTheTrayExistsRestoresOnceTheTrayComes) {
    if (testDisplayName().empty()) {
        GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
    }
    if (QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty()) {
        GTEST_SKIP() << "trayer is not installed (package trayer)";
    }
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    TrayIcon icon(vantorixIcon());
    icon.place(kIdleTip);
    EXPECT_FALSE(icon.restoresWindows());
    QProcess trayer;
    trayer.start(QStringLiteral("trayer"), {"--SetDockType", "false"});
    ASSERT_TRUE(trayer.waitForStarted(kTimeoutMs));
    EXPECT_TRUE(QTest::qWaitFor([&icon] { return icon.restoresWindows(); }, kTimeoutMs));
    icon.remove();
    EXPECT_FALSE(icon.restoresWindows());
    trayer.terminate();
    trayer.waitForFinished(kTimeoutMs);
    // Only so that a later test in this process starts without a tray; how
    // soon Qt notices a tray going away is not this program's behaviour.
    static_cast<void>(
        QTest::qWaitFor([] { return !QSystemTrayIcon::isSystemTrayAvailable(); }, kTimeoutMs));
}

// The main window with the real icon, in a notification area that trayer
// hosts on the test's X server.
class TrayIconOnX11 : public ::testing::Test {
  protected:
    void SetUp() override {
        if (testDisplayName().empty()) {
            GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
        }
        if (QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty()) {
            GTEST_SKIP() << "trayer is not installed (package trayer)";
        }
        if (!xdotoolInstalled()) {
            GTEST_SKIP() << "xdotool is not installed";
        }
        if (!PtyPair::socatInstalled()) {
            GTEST_SKIP() << "socat is not installed";
        }
        ASSERT_TRUE(line.isReady()) << line.problem();
        trayer.start(QStringLiteral("trayer"),
                     {"--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "100",
                      "--height", "24", "--SetDockType", "false"});
        ASSERT_TRUE(trayer.waitForStarted(kTimeoutMs));
        ASSERT_TRUE(
            QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, kTimeoutMs));
        icon.onDoubleClick = [this] {
            ++doubleClicks;
            session.restoreFromIcon();
        };
    }
    void TearDown() override {
        form.hide();
        windows.advancedWindow().hide();
        icon.remove();
        if (trayer.state() != QProcess::NotRunning) {
            trayer.terminate();
            trayer.waitForFinished(kTimeoutMs);
        }
        // The next test's tray host must not be mistaken for this one (best
        // effort: how soon Qt notices is not this program's behaviour).
        static_cast<void>(
            QTest::qWaitFor([] { return !QSystemTrayIcon::isSystemTrayAvailable(); }, kTimeoutMs));
    }

    void load() {
        session.Form_Load("help.html", line.nearEnd());
        session.showAfterLoad();
    }

    // Double-clicks the icon where the notification area shows it.
    void doubleClickIcon() {
        // Until it docks, the icon's window stands alone at the origin; the
        // notification area is at the top right.
        ASSERT_TRUE(QTest::qWaitFor(
            [this] { return !icon.geometry().isEmpty() && icon.geometry().x() > 0; }, kTimeoutMs));
        const QPoint centre = icon.geometry().center();
        ASSERT_TRUE(xdotool(testDisplayName(),
                            {"mousemove", std::to_string(centre.x()), std::to_string(centre.y()),
                             "click", "--repeat", "2", "--delay", "80", "1"}));
    }

    bool hiddenWhenMinimised(QWidget& window) {
        if (!QTest::qWaitFor([this] { return icon.restoresWindows(); }, kTimeoutMs)) {
            return false;
        }
        window.showMinimized();
        return QTest::qWaitFor([&window] { return !window.isVisible(); }, kTimeoutMs);
    }

    Journal journal;
    RedirectSettings settings;
    FakeKeyboard keyboard;
    FakeSettingsFile file{journal};
    FakeHotKeys hotKeys{journal};
    FakeShortcut shortcut{journal};
    FakeMessageBoxes messages;
    PtyPair line;
    QProcess trayer;
    TrayIcon icon{vantorixIcon()};
    int doubleClicks = 0;
    InertUrlOpener browser;
    QtWindowSession windows{settings, {keyboard, file, hotKeys, icon, shortcut, messages, browser}};
    FORM1& form = windows.form();
    Form1Session& session = windows.session();
};

TEST_F(TrayIconOnX11, TheTipFollowsStartAndStop) {
    EXPECT_FALSE(icon.restoresWindows());
    load();
    EXPECT_EQ(icon.toolTip(), QStringLiteral("VanTorix\n    Idle"));
    EXPECT_TRUE(icon.restoresWindows());
    session.Command1_Click();
    ASSERT_TRUE(form.Command_stop_redirect->isEnabled()) << "START failed";
    EXPECT_EQ(icon.toolTip(), QStringLiteral("VanTorix\n Running"));
    session.Command_stop_redirect_Click();
    EXPECT_EQ(icon.toolTip(), QStringLiteral("VanTorix\n    Idle"));
    session.prepareForExitNow();
    EXPECT_FALSE(icon.restoresWindows());
}

TEST_F(TrayIconOnX11, AFailedStartKeepsTheIdleTip) {
    session.Form_Load("help.html", line.nearEnd() + "-missing");
    session.Command1_Click();
    EXPECT_FALSE(form.Command_stop_redirect->isEnabled());
    EXPECT_EQ(icon.toolTip(), QStringLiteral("VanTorix\n    Idle"));
}

TEST_F(TrayIconOnX11, ADoubleClickBringsTheMinimisedMainWindowBack) {
    load();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, kTimeoutMs));
    ASSERT_TRUE(hiddenWhenMinimised(form));
    doubleClickIcon();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form.isVisible(); }, kTimeoutMs));
    EXPECT_FALSE(form.isMinimized());
    EXPECT_FALSE(windows.advancedWindow().isVisible());
    EXPECT_EQ(doubleClicks, 1);
    // The hide queued by minimising does not take the window away again.
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.isVisible());
}

TEST_F(TrayIconOnX11, ADoubleClickBringsTheAdvancedOptionsWindowBackWhenItIsInUse) {
    load();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, kTimeoutMs));
    form.Command_advanced_options->click();
    Form3& advanced = windows.advancedWindow();
    ASSERT_EQ(session.currentWindow(), 2);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&advanced, kTimeoutMs));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form.isVisible(); }, kTimeoutMs));
    ASSERT_TRUE(hiddenWhenMinimised(advanced));
    doubleClickIcon();
    ASSERT_TRUE(QTest::qWaitFor([&advanced] { return advanced.isVisible(); }, kTimeoutMs));
    EXPECT_FALSE(advanced.isMinimized());
    EXPECT_FALSE(form.isVisible());
    QCoreApplication::processEvents();
    EXPECT_TRUE(advanced.isVisible());
}

TEST_F(TrayIconOnX11, ADoubleClickOnAVisibleMainWindowKeepsItAndHidesTheOther) {
    load();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, kTimeoutMs));
    doubleClickIcon();
    ASSERT_TRUE(QTest::qWaitFor([this] { return doubleClicks == 1; }, kTimeoutMs));
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.isMinimized());
    EXPECT_FALSE(windows.advancedWindow().isVisible());
}

}  // namespace
}  // namespace vantorix
