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

#include "frontend/qt/form1.h"
#include "frontend/qt/form2.h"
#include "frontend/qt/window_session.h"
#include "support/fake_window_services.h"
#include "support/recording_url_opener.h"

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
        session.Form_Load(kHelpFile, std::nullopt);
        session.showAfterLoad();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, kTimeoutMs));
    }

    // Opens the advanced options window in the main window's place.
    Form3& openAdvanced() {
        QTest::mouseClick(form.Command_advanced_options, Qt::LeftButton);
        Form3& advanced = windows.advancedWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&advanced, kTimeoutMs));
        return advanced;
    }

    static void pressF1In(QWidget& window) {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window, kTimeoutMs));
        QTest::keyClick(&window, Qt::Key_F1);
    }

    QtWindowSession windows{settings, {keyboard, file, hotKeys, icon, shortcut, messages, browser}};
    FORM1& form = windows.form();
    Form1Session& session = windows.session();
};

TEST_F(HelpMenuTest, HelpContentsTypesF1AndWaitsForIt) {
    form.menu_help_contents->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !keyboard.calls.empty(); }, kTimeoutMs));
    EXPECT_EQ(keyboard.calls, std::vector<std::string>{"send:{F1}"});
    // The key opens the help; the menu item does not do it a second time.
    EXPECT_TRUE(browser.opened.empty());
}

TEST_F(HelpMenuTest, HelpContentsOfTheAdvancedWindowTypesF1ThroughTheSameKeyboard) {
    Form3& advanced = openAdvanced();
    advanced.MENU_HELP->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !keyboard.calls.empty(); }, kTimeoutMs));
    EXPECT_EQ(keyboard.calls, std::vector<std::string>{"send:{F1}"});
}

TEST_F(HelpMenuTest, F1InTheMainWindowOpensTheHelpFile) {
    pressF1In(form);
    EXPECT_EQ(browser.opened, std::vector<std::string>{kHelpFile});
}

TEST_F(HelpMenuTest, F1InTheAdvancedWindowOpensTheSameHelpFile) {
    Form3& advanced = openAdvanced();
    pressF1In(advanced);
    EXPECT_EQ(browser.opened, std::vector<std::string>{kHelpFile});
}

TEST_F(HelpMenuTest, F1WorksWhereverTheFocusIsInTheWindow) {
    form.Combo_baud->setFocus();
    pressF1In(form);
    form.Check_startup->setFocus();
    QTest::keyClick(form.Check_startup, Qt::Key_F1);
    EXPECT_EQ(browser.opened.size(), 2u);
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
    EXPECT_EQ(browser.opened, std::vector<std::string>{kHelpFile});
}

// Where the help file is found, and that it is there in the build tree and
// after installing.
QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(HelpFile, IsBesideTheExecutableInTheBuildTree) {
    const QString folder = QStringLiteral(VANTORIX_PROGRAM_FOLDER);
    const std::string help = helpFileFor(folder.toStdString());
    EXPECT_EQ(QString::fromStdString(help), folder + QStringLiteral("/vantorix.html"));
    const QByteArray manual = contentsOf(QStringLiteral(VANTORIX_MANUAL));
    ASSERT_FALSE(manual.isEmpty());
    EXPECT_EQ(contentsOf(QString::fromStdString(help)), manual);

    const QUrl opened = urlFor(help);
    EXPECT_TRUE(opened.isLocalFile());
    EXPECT_EQ(contentsOf(opened.toLocalFile()), manual);
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
    const std::string help = helpFileFor(bin.toStdString());
    EXPECT_EQ(QString::fromStdString(help), installed);
    EXPECT_EQ(urlFor(help), QUrl::fromLocalFile(installed));
}

TEST(UrlFor, OpensWebAddressesAsTheyAreAndEverythingElseAsALocalFile) {
    const std::vector<std::pair<std::string, QUrl>> cases = {
        {"https://example.org/vantorix", QUrl(QStringLiteral("https://example.org/vantorix"))},
        {"/opt/vantorix manual/vantorix.html",
         QUrl::fromLocalFile(QStringLiteral("/opt/vantorix manual/vantorix.html"))},
    };
    for (const auto& [address, url] : cases) {
        EXPECT_EQ(urlFor(address), url) << address;
    }
}

}  // namespace
}  // namespace vantorix
