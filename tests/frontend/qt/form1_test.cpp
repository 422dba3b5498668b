#include "frontend/qt/form1.h"

#include <QtCore/qtestsupport_core.h>
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <gtest/gtest.h>

#include "forms/layout/form1_layout.h"
#include "frontend/qt/matches_layout.h"
#include "frontend/qt/window_session.h"
#include "support/fake_window_services.h"
#include "support/pty_pair.h"

namespace vantorix {
namespace {

using namespace test;

constexpr int kTimeoutMs = 5000;

class Form1Test : public ::testing::Test, protected FakeWindowServices {
  protected:
    void load(std::optional<std::string> port = std::nullopt) {
        session.Form_Load("help.html", port);
        session.showAfterLoad();
    }

    // The six line choices, START, STOP and Set Advanced Options show
    // running (true) or idle (false).
    bool controlsShowRunning(bool running) const {
        for (const QComboBox* choice : {form.Combo_portselect, form.Combo_baud, form.Combo_parity,
                                        form.Combo_stop, form.Combo_length, form.Combo_handshake}) {
            if (choice->isEnabled() == running) {
                return false;
            }
        }
        return form.Command1->isEnabled() == !running &&
               form.Command_stop_redirect->isEnabled() == running &&
               form.Command_advanced_options->isEnabled() == !running;
    }

    void selectPort(const std::string& path) {
        form.Combo_portselect->addItem(QString::fromStdString(path));
        form.Combo_portselect->setCurrentText(QString::fromStdString(path));
    }

    QtWindowSession windows{settings, {keyboard, file, hotKeys, icon, shortcut, messages, browser}};
    FORM1& form = windows.form();
    Form1Session& session = windows.session();
};

using Form1OnALine = test::TestOnALine<Form1Test>;

TEST_F(Form1Test, OpensIdleWithTheDefaults) {
    load();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "VANTORIX Serial port to keyboard redirection");
    EXPECT_EQ(form.Combo_portselect->currentText(), "COM1");
    EXPECT_EQ(form.Combo_baud->currentText(), "9600");
    EXPECT_EQ(form.Combo_parity->currentText(), "None");
    EXPECT_EQ(form.Combo_stop->currentText(), "1");
    EXPECT_EQ(form.Combo_length->currentText(), "8 bits");
    EXPECT_EQ(form.Combo_handshake->currentText(), "None");
    for (QCheckBox* box :
         {form.Check_ENTER_KEY, form.Check_LF_KEY, form.Check_startup, form.Check_startrun}) {
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    }
    EXPECT_TRUE(controlsShowRunning(false));
    EXPECT_FALSE(form.Option1_advanced_active->isEnabled());
    EXPECT_FALSE(form.Option1_advanced_active->isChecked());
    EXPECT_EQ(icon.currentTip, kIdleTip);
}

TEST_F(Form1Test, IsMadeAsItsLayoutSays) {
    EXPECT_EQ(form.objectName(), "FORM1");
    EXPECT_EQ(form.windowTitle(), qt(kForm1Layout.caption));
    expectMatchesLayout(*form.centralWidget(), kForm1Layout);
    expectMenusMatchLayout(form, kForm1Layout);
}

// Share of the widget's pixels drawn in `colour`.
double shareIn(QWidget& widget, const QColor& colour) {
    const QImage image = widget.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return static_cast<double>(count) / (image.width() * image.height());
}

TEST_F(Form1Test, TheMainButtonsAreDrawnOnAFlatLightGreyFace) {
    load();
    for (QPushButton* button :
         {form.Command1, form.Command_stop_redirect, form.Command_advanced_options}) {
        EXPECT_GT(shareIn(*button, QColor(224, 224, 224)), 0.6)
            << button->objectName().toStdString();
    }
}

// Also in a style whose drop-down is only as wide as its box unless told otherwise.
TEST_F(Form1Test, ThePortListKeepsItsSizeAndItsDropDownShowsLongDevicePathsWhole) {
    const std::unique_ptr<QStyle> narrowDropDowns(QStyleFactory::create(QStringLiteral("Windows")));
    ASSERT_NE(narrowDropDowns, nullptr);
    form.Combo_portselect->setStyle(narrowDropDowns.get());
    RedirectSettings stored;
    stored.Combo_portselect = "/dev/serial/by-id/usb-Vantorix_Test_Adapter_0123456789-if00-port0";
    file.stored = stored;
    load();
    EXPECT_EQ(form.Combo_portselect->width(), form.Combo_baud->width());
    QAbstractItemView& rows = *form.Combo_portselect->view();
    const int longest =
        rows.fontMetrics().horizontalAdvance(QString::fromStdString(stored.Combo_portselect));
    form.Combo_portselect->showPopup();
    EXPECT_GT(rows.viewport()->width(), longest);
    form.Combo_portselect->hidePopup();
}

TEST_F(Form1Test, ShowsTheStoredSettingsAndKeepsAnAbsentDevicePath) {
    RedirectSettings stored;
    stored.Combo_portselect = "/dev/vantorix-unplugged";
    stored.Combo_baud = "115200";
    stored.Combo_handshake = "RTS XonXoff";
    stored.Check_LF_KEY = 1;
    stored.Check_startup = 2;
    stored.Check_postamble = 1;
    file.stored = stored;
    load();
    EXPECT_EQ(form.Combo_portselect->currentText(), "/dev/vantorix-unplugged");
    EXPECT_EQ(form.Combo_baud->currentText(), "115200");
    EXPECT_EQ(form.Combo_handshake->currentText(), "RTS XonXoff");
    EXPECT_TRUE(form.Check_LF_KEY->isChecked());
    EXPECT_FALSE(form.Check_startup->isChecked());
    EXPECT_EQ(settings.Check_startup, 2) << "showing a value does not rewrite it";
    EXPECT_TRUE(form.Option1_advanced_active->isEnabled());
    EXPECT_TRUE(form.Option1_advanced_active->isChecked());
}

TEST_F(Form1Test, AChangeInAWidgetIsInTheStoreAtOnce) {
    load();
    form.Combo_parity->setCurrentText("Mark");
    form.Check_ENTER_KEY->click();
    EXPECT_EQ(settings.Combo_parity, "Mark");
    EXPECT_EQ(settings.Check_ENTER_KEY, 1);
    form.Check_ENTER_KEY->click();
    EXPECT_EQ(settings.Check_ENTER_KEY, 0);
}

TEST_F(Form1OnALine, StartRunsStopIdlesAndReceivedTextIsTyped) {
    load();
    selectPort(line.nearEnd());
    form.Check_ENTER_KEY->click();
    form.Command1->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(controlsShowRunning(true));
    EXPECT_EQ(form.focusWidget(), form.Check_ENTER_KEY);
    EXPECT_EQ(icon.currentTip, kRunningTip);

    session.Command1_Click();  // already open: nothing happens
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(controlsShowRunning(true));

    PtyEndpoint device(line.farEnd());
    ASSERT_TRUE(device.write("12+3\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !keyboard.sent.empty(); }, kTimeoutMs));
    EXPECT_EQ(keyboard.sent, (std::vector<std::string>{"12{+}3~"}));

    form.Command_stop_redirect->click();
    EXPECT_TRUE(controlsShowRunning(false));
    EXPECT_EQ(icon.currentTip, kIdleTip);
}

TEST_F(Form1OnALine, StartRedirectionAtStartRunsAndHidesInTheNotificationArea) {
    RedirectSettings stored;
    stored.Combo_portselect = line.nearEnd();
    stored.Check_startrun = 1;
    file.stored = stored;
    icon.restores = true;
    load();
    EXPECT_TRUE(controlsShowRunning(true));
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(Form1Test, StartRedirectionAtStartWithABusyPortStillMinimises) {
    RedirectSettings stored;
    stored.Combo_portselect = "/dev/vantorix-no-such-port";
    stored.Check_startrun = 1;
    file.stored = stored;
    load();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(form.isMinimized()) << "no notification area: minimised, not hidden";
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(controlsShowRunning(false));
}

TEST_F(Form1Test, MinimisingHidesOnlyWithANotificationArea) {
    load();
    form.showMinimized();
    EXPECT_TRUE(form.isVisible());
    form.showNormal();
    icon.restores = true;
    form.showMinimized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, kTimeoutMs));
}

TEST_F(Form1Test, ClosingTheWindowSavesTheSettingsAndUpdatesTheShortcut) {
    load();
    form.Combo_baud->setCurrentText("38400");
    journal.clear();
    form.close();
    EXPECT_EQ(journal, (Journal{"file:save", "shortcut:delete", "icon:remove"}));
    ASSERT_TRUE(file.stored.has_value());
    EXPECT_EQ(file.stored->Combo_baud, "38400");
}

}  // namespace
}  // namespace vantorix
