// The program on GNOME and KDE Plasma: received text typed into a GTK window end to end, from a
// pseudo-terminal through `vantorix --headless`, on a headless desktop of each test's own.
#include <QFileInfo>

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
using Kind = HeadlessDesktop::Kind;

class DesktopProgramTest : public ::testing::TestWithParam<Kind> {
  protected:
    void start(const std::string& layout, const RedirectSettings& settings,
               const QStringList& arguments) {
        if (!HeadlessDesktop::installed(GetParam()) || !PtyPair::socatInstalled()) {
            GTEST_SKIP() << HeadlessDesktop::name(GetParam()) << " or socat is not installed";
        }
        desktop = std::make_unique<HeadlessDesktop>(GetParam(), layout);
        ASSERT_TRUE(desktop->isReady()) << desktop->problem();
        // As the package's desktop entry does.
        ASSERT_TRUE(desktop->authorise(QStringLiteral(VANTORIX_EXECUTABLE)));
        window = std::make_unique<KeyRecordingWindow>(*desktop);
        ASSERT_TRUE(window->isReady()) << window->problem();
        ASSERT_TRUE(redirection.isReady()) << redirection.problem();
        ASSERT_TRUE(redirection.start(settings, arguments, desktop->environment()));
    }

    std::unique_ptr<HeadlessDesktop> desktop;
    std::unique_ptr<KeyRecordingWindow> window;
    test::LineRedirection redirection;
};

TEST_P(DesktopProgramTest, TypesInTheDesktopsLayoutByDefaultAndTellsOfWhatItCannot) {
    RedirectSettings settings = test::accentedAmbles();
    start("us", settings, {});
    // é and € of the ambles are not in us: left out, and told once.
    EXPECT_EQ(redirection.typedInto(*window, "AbC {+}~ 12;\r", 14), " AbC {+}~ 12;\r");
    const std::string errors = redirection.program().errorsUntilNow();
    EXPECT_NE(errors.find("\xe2\x80\x9c\xc3\xa9\xe2\x80\x9d (U+00E9) was left out"),
              std::string::npos)
        << errors;
    EXPECT_EQ(errors.find("U+20AC"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("only X11 applications"), std::string::npos) << errors;
}

TEST_P(DesktopProgramTest, ABurstOfLinesArrivesExactlyAndTheWindowLives) {
    RedirectSettings settings;
    settings.Check_ENTER_KEY = 1;
    start("de", settings, {QStringLiteral("--keys"), QStringLiteral("wayland")});
    // 5,000 characters in lines of 79 printable characters, written at once: more than a
    // device at 115200 baud sends in that time, so the keys queue up behind the pacing.
    std::string expected;
    for (std::size_t i = 0; i < 5000; ++i) {
        expected += i % 80 == 79 ? '\r' : static_cast<char>(' ' + (i * 37) % 95);
    }
    EXPECT_EQ(redirection.typedInto(*window, expected, expected.size()), expected);
    EXPECT_TRUE(window->isRunning());
}

INSTANTIATE_TEST_SUITE_P(Desktops, DesktopProgramTest, ::testing::Values(Kind::Gnome, Kind::Kde),
                         [](const auto& test) { return HeadlessDesktop::name(test.param); });

}  // namespace
}  // namespace vantorix
