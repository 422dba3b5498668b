#include "forms/hot_key_request.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

namespace vantorix {
namespace {

constexpr HotKeyRequestAnswer kEveryAnswer[] = {
    HotKeyRequestAnswer::Ran,        HotKeyRequestAnswer::NotRunning,
    HotKeyRequestAnswer::NotEnabled, HotKeyRequestAnswer::NotUnderstood,
    HotKeyRequestAnswer::OtherUser,
};

TEST(HotKeyRequestLine, OnlyARequestForHotKeyOneOrTwoIsUnderstood) {
    struct Case {
        std::string line;
        std::optional<int> hotKey;
    };
    const Case cases[] = {
        {hotKeyRequestLine(1), 1},
        {hotKeyRequestLine(2), 2},
        {"hotkey 2", 2},  // the sender may close without an end of line
        {hotKeyRequestLine(3), std::nullopt},
        {hotKeyRequestLine(0), std::nullopt},
        {"hotkey 12\n", std::nullopt},
        {"hotkey 1 \n", std::nullopt},
        {"hotkey 1\n\n", std::nullopt},
        {"hotkey 1\r\n", std::nullopt},
        {"HOTKEY 1\n", std::nullopt},
        {"hotkey\n", std::nullopt},
        {"1\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(requestedHotKey(c.line), c.hotKey);
    }
}

TEST(HotKeyRequestDecision, AHotKeyRunsOnlyWhileRedirectingAndRegisteredAtStart) {
    struct Case {
        bool running;
        bool registered;
        HotKeyRequestAnswer answer;
    };
    const Case cases[] = {
        {true, true, HotKeyRequestAnswer::Ran},
        {true, false, HotKeyRequestAnswer::NotEnabled},
        {false, false, HotKeyRequestAnswer::NotRunning},
        {false, true, HotKeyRequestAnswer::NotRunning},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "running " << c.running << " registered " << c.registered);
        EXPECT_EQ(decideHotKeyRequest(c.running, c.registered), c.answer);
    }
}

TEST(HotKeyRequestAnswerLine, EveryAnswerIsReadBackAsItselfAndNothingElseIsAnAnswer) {
    std::set<std::string> lines;
    for (const HotKeyRequestAnswer answer : kEveryAnswer) {
        const std::string line = answerLine(answer);
        EXPECT_EQ(line.find('\n'), line.size() - 1) << "one line: " << line;
        EXPECT_EQ(answerFromLine(line), answer) << line;
        lines.insert(line);
    }
    EXPECT_EQ(lines.size(), std::size(kEveryAnswer));
    for (const std::string garbage : {"", "\n", "ran\r\n", "Ran\n", "ran ran\n", "hotkey 1\n"}) {
        EXPECT_EQ(answerFromLine(garbage), std::nullopt) << garbage;
    }
}

TEST(SendHotKeyOutcome, OnlyARunHotKeyEndsQuietlyWithZeroAndEachRefusalHasItsOwnStatus) {
    struct Case {
        std::optional<HotKeyRequestAnswer> answer;
        int exitStatus;
        const char* saying;
    };
    const Case cases[] = {
        {HotKeyRequestAnswer::Ran, 0, ""},
        {HotKeyRequestAnswer::NotRunning, kExitNotRunning, "not redirecting"},
        {HotKeyRequestAnswer::NotEnabled, kExitHotKeyNotEnabled, "Hot key 2 was not enabled"},
        {HotKeyRequestAnswer::OtherUser, kExitOtherUser, "another user"},
        {HotKeyRequestAnswer::NotUnderstood, kExitNoProgram, "did not understand"},
        {std::nullopt, kExitNoProgram, "did not answer; hot key 2 did not run"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saying);
        const SendHotKeyOutcome outcome = sendHotKeyOutcome(c.answer, 2);
        EXPECT_EQ(outcome.exitStatus, c.exitStatus);
        EXPECT_EQ(outcome.message.empty(), c.exitStatus == 0);
        EXPECT_NE(outcome.message.find(c.saying), std::string::npos) << outcome.message;
    }
    const std::set<int> statuses{
        0, 2, kExitNoProgram, kExitNotRunning, kExitHotKeyNotEnabled, kExitOtherUser};
    EXPECT_EQ(statuses.size(), 6U) << "statuses apart from each other and from a mistake's 2";
    EXPECT_EQ(noProgramOutcome("/run/user/1000/vantorix-hotkeys").exitStatus, kExitNoProgram);
    EXPECT_NE(noProgramOutcome("/run/x").message.find("/run/x"), std::string::npos);
    EXPECT_EQ(otherUserOutcome("/run/x").exitStatus, kExitOtherUser);
}

}  // namespace
}  // namespace vantorix
