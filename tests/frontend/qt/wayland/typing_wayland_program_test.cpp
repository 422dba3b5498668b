// The program on a Wayland compositor: received text typed into a foot window end to end, from a
// pseudo-terminal through `vantorix --headless`, on a headless sway of each test's own.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "settings/redirect_settings.h"
#include "support/foot_target.h"
#include "support/redirecting_program.h"
#include "support/sway_session.h"
#include "support/users_keyboard.h"

namespace vantorix {
namespace {

using test::FootTarget;
using test::PtyPair;
using test::SwaySession;

class WaylandProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!SwaySession::installed() || !FootTarget::installed()) {
            GTEST_SKIP() << "sway or foot is not installed (packages sway, foot)";
        }
        if (!PtyPair::socatInstalled()) {
            GTEST_SKIP() << "socat is not installed";
        }
        ASSERT_TRUE(session.isReady()) << session.problem();
        session.useInThisProcess();
        // The seat has a keyboard before the window, as on a desktop.
        usersKeyboard = std::make_unique<test::UsersKeyboard>(false);
        ASSERT_TRUE(usersKeyboard->isReady()) << usersKeyboard->problem();
        target = std::make_unique<FootTarget>(session);
        ASSERT_TRUE(target->isReady()) << target->problem();
        ASSERT_TRUE(redirection.isReady()) << redirection.problem();
    }

    void startProgram(const RedirectSettings& settings, const QStringList& keysArguments) {
        ASSERT_TRUE(redirection.start(settings, keysArguments, session.environment()));
    }

    std::string typedInWindow(const std::string& received, std::size_t expectedSize) {
        return redirection.typedInto(*target, received, expectedSize);
    }

    SwaySession session;
    std::unique_ptr<test::UsersKeyboard> usersKeyboard;
    std::unique_ptr<FootTarget> target;
    test::LineRedirection redirection;
};

TEST_F(WaylandProgramTest, ReceivedTextArrivesExactlyWithItsAmbles) {
    const RedirectSettings settings = test::accentedAmbles();
    startProgram(settings, {QStringLiteral("--keys"), QStringLiteral("wayland")});
    // The CR ends the record and, untranslated, is dropped.
    const std::string expected = "\xc3\xa9 AbC {+}~ 12;\xe2\x82\xac\r";
    EXPECT_EQ(typedInWindow("AbC {+}~ 12;\r", expected.size()), expected);
}

TEST_F(WaylandProgramTest, TypesWithTheWaylandKeyboardByDefaultWhereTheCompositorOffersOne) {
    RedirectSettings settings;
    settings.Check_ENTER_KEY = 1;
    startProgram(settings, {});
    EXPECT_EQ(typedInWindow("ok 1\r", 5), "ok 1\r");
    EXPECT_EQ(redirection.program().errors().find("only X11 applications"), std::string::npos);
}

}  // namespace
}  // namespace vantorix
