// The keyboard contract on X11: the conformance cases typed through the emitter into an xterm,
// with Caps Lock off and on.
#include "typing/keyboard_conformance.h"

// Qt (in the server's header) and GoogleTest before Xlib, whose macros clash with their names.
#include "support/xterm_target.h"
#include "support/xvfb_server.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/keystroke_emitter.h"
#include "typing/x11/keyboard_x11.h"

namespace vantorix {
namespace {

class X11ConformanceTest : public ::testing::TestWithParam<bool> {};

TEST_P(X11ConformanceTest, EveryCaseArrivesExactly) {
    if (!test::XvfbServer::installed() || !test::XtermTarget::installed()) {
        GTEST_SKIP() << "Xvfb or xterm is not installed (packages xvfb, xterm)";
    }
    test::XvfbServer server;
    ASSERT_TRUE(server.isReady()) << server.problem();
    test::XtermTarget target(server);
    ASSERT_TRUE(target.isReady()) << target.problem();
    ::setenv("DISPLAY", server.name().c_str(), 1);
    std::string problem;
    const std::unique_ptr<Keyboard> keyboard = openX11Keyboard(problem);
    ASSERT_TRUE(keyboard) << problem;
    const bool capsLock = GetParam();
    server.setCapsLock(capsLock);

    test::expectConformance([&](const std::string& keys) { mySendKeys(*keyboard, keys, true); },
                            target,
                            capsLock ? test::CapsLockOnLetters::Yes : test::CapsLockOnLetters::No);
    EXPECT_EQ(server.capsLockOn(), capsLock);
}

std::string capsLockName(const ::testing::TestParamInfo<bool>& param) {
    return param.param ? "On" : "Off";
}

INSTANTIATE_TEST_SUITE_P(CapsLock, X11ConformanceTest, ::testing::Bool(), capsLockName);

}  // namespace
}  // namespace vantorix
