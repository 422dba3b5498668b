#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include "frontend/qt/form1.h"
#include "frontend/qt/window_session.h"
#include "settings/config_file.h"
#include "support/fake_desktop.h"
#include "support/fake_keyboard.h"
#include "support/fake_message_boxes.h"
#include "support/pty_pair.h"
#include "support/windowed_program.h"

namespace vantorix {
namespace {

using namespace test;

constexpr int kTimeoutMs = 10000;

// Makes the advanced settings the way a user would, in the windows of a
// program run in this process, and leaves them in `folder`'s vantorix.cfg
// through the windows' own exit.
void setUpInTheWindows(const QString& folder) {
    Journal journal;
    RedirectSettings settings;
    ConfigFile file(QDir(folder).filePath(QStringLiteral("vantorix.cfg")).toStdString());
    FakeKeyboard keyboard;
    FakeHotKeys hotKeys{journal};
    FakeIcon icon{journal};
    FakeShortcut shortcut{journal};
    FakeMessageBoxes messages;
    InertUrlOpener browser;
    QtWindowSession windows{settings, {keyboard, file, hotKeys, icon, shortcut, messages, browser}};
    windows.session().Form_Load("", std::nullopt);
    windows.session().showAfterLoad();
    FORM1& form = windows.form();
    form.Check_startrun->click();
    form.Command_advanced_options->click();

    Form3& advanced = windows.advancedWindow();
    advanced.Combo_EOL->setCurrentText(QStringLiteral("LFD"));
    advanced.Combo_addpreamble->setCurrentText(QStringLiteral("HOME"));
    advanced.Command3->click();
    advanced.Check_preamble->click();
    advanced.Command2->click();  // the list shows "Enter" from the start
    advanced.Check_postamble->click();
    advanced.Command1->click();  // "CR"
    QTest::keyClicks(advanced.Text_replacewith, QStringLiteral("+"));
    advanced.Combo_replacewith->setCurrentText(QStringLiteral("TAB"));
    advanced.Command4->click();
    advanced.Check_replacestring->click();
    advanced.Command_advanced_options_OK->click();
    windows.session().exitProgram();
}

TEST(AdvancedProgram, TheSettingsOfTheAdvancedWindowShapeWhatIsTyped) {
    if (!PtyPair::socatInstalled()) {
        GTEST_SKIP() << "socat is not installed";
    }
    PtyPair line;
    ASSERT_TRUE(line.isReady()) << line.problem();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    setUpInTheWindows(folder.path());

    QProcess program;
    ASSERT_TRUE(
        startHoldingPort(program, folder.path(), QStringLiteral("offscreen"), line.nearEnd(),
                         {QStringLiteral("--port"), QString::fromStdString(line.nearEnd())}));

    // Cut at the line feed, not the carriage return, which the search text
    // names and the replacement takes the place of; the line feed is dropped.
    PtyEndpoint device(line.farEnd());
    ASSERT_TRUE(device.write("12\r34\n"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.canReadLine(); }, kTimeoutMs));
    EXPECT_EQ(program.readLine(), "{HOME}12{+}{TAB}34{ENTER}\n");
    ASSERT_TRUE(device.write("5("));
    ASSERT_TRUE(device.write("\n"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.canReadLine(); }, kTimeoutMs));
    EXPECT_EQ(program.readLine(), "{HOME}5{(}{ENTER}\n");

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(kTimeoutMs));
    EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace
}  // namespace vantorix
