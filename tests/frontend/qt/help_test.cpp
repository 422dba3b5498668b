#include "frontend/qt/help.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "frontend/qt/form2.h"
#include "support/fake_window_services.h"
#include "support/recording_url_opener.h"
#include "frontend/qt/form1.h"

namespace vantorix {
namespace {

using namespace test;

constexpr int kTimeoutMs = 5000;
const std::string kHelpFile = "/opt/vantorix manual/vantorix.html";

int aboutWindows() {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        count += dynamic_cast<Form2*>(window) != nullptr ? 1 : 0;
    }
    return count;
}

class HelpMenuTest : public ::testing::Test, protected FakeWindowServices {
  protected:
    void SetUp() override {
        form.Form_Load(kHelpFile, std::nullopt);
        form.showAfterLoad();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, kTimeoutMs));
    }

    // Opens the advanced options window in the main window's place.
    Form3& openAdvanced() {
        QTest::mouseClick(form.Command_advanced_options, Qt::LeftButton);
        Form3& advanced = form.advancedWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&advanced, kTimeoutMs));
        return advanced;
    }

    static void pressF1In(QWidget& window) {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window, kTimeoutMs));
        QTest::keyClick(&window, Qt::Key_F1);
    }

    RecordingUrlOpener browser;
    FORM1 form{{settings, keyboard, file, hotKeys, icon, shortcut, messages, [] { return false; },
                &browser}};
};

TEST_F(HelpMenuTest, HelpContentsTypesF1AndWaitsForIt) {
    form.menu_help_contents->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !keyboard.calls.empty(); }, kTimeoutMs));
    EXPECT_EQ(keyboard.calls, std::vector<std::string>{"send:{F1}"});
    // The key opens the help; the menu item does not do it a second time.
    EXPECT_TRUE(browser.opened.isEmpty());
}

TEST_F(HelpMenuTest, HelpContentsOfTheAdvancedWindowTypesF1ThroughTheSameKeyboard) {
    Form3& advanced = openAdvanced();
    advanced.MENU_HELP->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !keyboard.calls.empty(); }, kTimeoutMs));
    EXPECT_EQ(keyboard.calls, std::vector<std::string>{"send:{F1}"});
}

TEST_F(HelpMenuTest, HelpContentsPutsTheLockKeysBack) {
    keyboard.capsLock = true;
    keyboard.whileTyping = [&] { keyboard.capsLock = false; };
    form.menu_help_contents->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return keyboard.calls.size() >= 2; }, kTimeoutMs));
    EXPECT_EQ(keyboard.calls, (std::vector<std::string>{"send:{f1}", "toggle:caps"}));
}

TEST_F(HelpMenuTest, F1InTheMainWindowOpensTheHelpFile) {
    pressF1In(form);
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened[0], QUrl::fromLocalFile(QString::fromStdString(kHelpFile)));
    EXPECT_EQ(browser.opened[0].toLocalFile().toStdString(), form.logic().helpFilePath);
}

TEST_F(HelpMenuTest, F1InTheAdvancedWindowOpensTheSameHelpFile) {
    Form3& advanced = openAdvanced();
    pressF1In(advanced);
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened[0], QUrl::fromLocalFile(QString::fromStdString(kHelpFile)));
}

TEST_F(HelpMenuTest, F1WorksWhereverTheFocusIsInTheWindow) {
    form.Combo_baud->setFocus();
    pressF1In(form);
    form.Check_startup->setFocus();
    QTest::keyClick(form.Check_startup, Qt::Key_F1);
    EXPECT_EQ(browser.opened.size(), 2);
}

TEST_F(HelpMenuTest, AboutShowsOneWindowHoweverOftenItIsAskedFor) {
    EXPECT_EQ(form.aboutWindow(), nullptr);
    form.menu_about_vantorix->trigger();
    Form2* about = form.aboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    form.menu_about_vantorix->trigger();
    EXPECT_EQ(form.aboutWindow(), about);
    EXPECT_EQ(aboutWindows(), 1);
    // Modeless and without an owner: the main window stays usable.
    EXPECT_EQ(about->parentWidget(), nullptr);
    EXPECT_FALSE(about->isModal());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(about->LinkLabel1->text(),
              QUrl::fromLocalFile(QString::fromStdString(kHelpFile)).toString());
}

TEST_F(HelpMenuTest, AboutFromTheAdvancedWindowShowsTheSameWindowAndKeepsItOpen) {
    form.menu_about_vantorix->trigger();
    Form2* about = form.aboutWindow();
    ASSERT_NE(about, nullptr);
    QTest::mouseClick(about->Command1, Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());

    Form3& advanced = openAdvanced();
    advanced.menu_about_vantorix->trigger();
    EXPECT_EQ(form.aboutWindow(), about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(advanced.isVisible());
    EXPECT_EQ(aboutWindows(), 1);
}

TEST_F(HelpMenuTest, TheAboutLinkOpensTheHelpFileThroughTheSameBrowser) {
    form.menu_about_vantorix->trigger();
    Form2* about = form.aboutWindow();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about, kTimeoutMs));
    QTest::mouseClick(about->LinkLabel1, Qt::LeftButton, {}, about->LinkLabel1->rect().center());
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened[0], QUrl::fromLocalFile(QString::fromStdString(kHelpFile)));
}

// Where the help file is found, and that it is there in the build tree and
// after installing.
QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(HelpFile, IsBesideTheExecutableInTheBuildTree) {
    const QString folder = QStringLiteral(VANTORIX_PROGRAM_FOLDER);
    const std::string help = helpFileFor(folder);
    EXPECT_EQ(QString::fromStdString(help), folder + QStringLiteral("/vantorix.html"));
    const QByteArray manual = contentsOf(QStringLiteral(VANTORIX_MANUAL));
    ASSERT_FALSE(manual.isEmpty());
    EXPECT_EQ(contentsOf(QString::fromStdString(help)), manual);

    RecordingUrlOpener browser;
    openHelpFile(browser, help);
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_TRUE(browser.opened[0].isLocalFile());
    EXPECT_EQ(contentsOf(browser.opened[0].toLocalFile()), manual);
}

TEST(HelpFile, AnInstalledProgramFindsTheInstalledManual) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    QProcess install;
    install.start(QStringLiteral(VANTORIX_CMAKE),
                  {QStringLiteral("--install"), QStringLiteral(VANTORIX_BUILD_FOLDER),
                   QStringLiteral("--prefix"), prefix.path()});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();

    const QString bin = prefix.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QFile::exists(bin + QStringLiteral("/vantorix")));
    const QString installed = prefix.filePath(QStringLiteral("share/doc/vantorix/vantorix.html"));
    EXPECT_EQ(contentsOf(installed), contentsOf(QStringLiteral(VANTORIX_MANUAL)));
    const std::string help = helpFileFor(bin);
    EXPECT_EQ(QString::fromStdString(help), installed);

    RecordingUrlOpener browser;
    openHelpFile(browser, help);
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened[0], QUrl::fromLocalFile(installed));
    EXPECT_TRUE(QFile::exists(browser.opened[0].toLocalFile()));
}

TEST(HelpFile, TheManualBesideTheExecutableComesFirst) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/doc/vantorix")));
    QFile installed(prefix.filePath(QStringLiteral("share/doc/vantorix/vantorix.html")));
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
    installed.close();
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    EXPECT_EQ(QString::fromStdString(helpFileFor(bin)),
              prefix.filePath(QStringLiteral("share/doc/vantorix/vantorix.html")));
    QFile beside(bin + QStringLiteral("/vantorix.html"));
    ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
    beside.close();
    EXPECT_EQ(QString::fromStdString(helpFileFor(bin)), bin + QStringLiteral("/vantorix.html"));
}

}  // namespace
}  // namespace vantorix
