// The installed package on KDE Plasma: KWin lets /usr/bin/vantorix type because of the desktop
// entry the package installs, and nothing else of the test's own. Runs only where the package is
// installed (packaging/try-on-kde installs it, runs these tests and removes it again).
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "settings/redirect_settings.h"
#include "support/headless_desktop.h"
#include "support/key_recording_window.h"
#include "support/redirecting_program.h"

namespace vantorix {
namespace {

using test::HeadlessDesktop;
using test::KeyRecordingWindow;
using test::PtyPair;

const QString kInstalledExecutable = QStringLiteral("/usr/bin/vantorix");

// Whether the package manager knows /usr/bin/vantorix as the package's file.
bool packageInstalled() {
    QProcess query;
    query.start(QStringLiteral("dpkg-query"), {QStringLiteral("-S"), kInstalledExecutable});
    return query.waitForFinished(10000) && query.exitCode() == 0 &&
           query.readAllStandardOutput().startsWith("vantorix:");
}

class InstalledPackageOnKdeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!packageInstalled()) {
            GTEST_SKIP() << "the vantorix package is not installed";
        }
        if (!HeadlessDesktop::installed(HeadlessDesktop::Kind::Kde) || !PtyPair::socatInstalled()) {
            GTEST_SKIP() << "KWin or socat is not installed";
        }
        // A home of its own: the only desktop entry KWin finds is the package's.
        desktop = std::make_unique<HeadlessDesktop>(HeadlessDesktop::Kind::Kde, "de");
        ASSERT_TRUE(desktop->isReady()) << desktop->problem();
        ASSERT_FALSE(QDir(QDir(desktop->environment().value(QStringLiteral("HOME")))
                              .filePath(QStringLiteral(".local/share/applications")))
                         .exists());
        window = std::make_unique<KeyRecordingWindow>(*desktop);
        ASSERT_TRUE(window->isReady()) << window->problem();
    }

    std::unique_ptr<HeadlessDesktop> desktop;
    std::unique_ptr<KeyRecordingWindow> window;
};

TEST_F(InstalledPackageOnKdeTest, TheInstalledProgramTypesExactly) {
    test::LineRedirection redirection;
    ASSERT_TRUE(redirection.isReady()) << redirection.problem();
    ASSERT_TRUE(redirection.start(test::accentedAmbles(),
                                  {QStringLiteral("--keys"), QStringLiteral("wayland")},
                                  desktop->environment(), kInstalledExecutable));
    // Shifted and AltGr characters of the de layout, é through its dead key, and Enter.
    EXPECT_EQ(redirection.typedInto(*window, "Ab {@}|~\\ 1;\r", 19),
              "\xc3\xa9 Ab {@}|~\\ 1;\xe2\x82\xac\r");
    EXPECT_TRUE(window->isRunning());
}

TEST_F(InstalledPackageOnKdeTest, ACopyElsewhereIsRefusedAndToldWhichFileToAdd) {
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("vantorix"));
    ASSERT_TRUE(QFile::copy(kInstalledExecutable, copy));
    test::RedirectingProgram program(
        RedirectSettings{},
        {QStringLiteral("--headless"), QStringLiteral("--keys"), QStringLiteral("wayland"),
         QStringLiteral("--port"), QStringLiteral("/dev/null")},
        desktop->environment(), copy);
    EXPECT_EQ(program.waitForExit(), 1);
    const std::string errors = program.errors();
    EXPECT_NE(errors.find("Add the file ~/.local/share/applications/vantorix.desktop"),
              std::string::npos)
        << errors;
    const std::string exec = "\nExec=" + QFileInfo(copy).canonicalFilePath().toStdString() + "\n";
    EXPECT_NE(errors.find(exec), std::string::npos) << errors;
    EXPECT_NE(errors.find("\nX-KDE-Wayland-Interfaces=org_kde_kwin_fake_input"), std::string::npos)
        << errors;
}

}  // namespace
}  // namespace vantorix
