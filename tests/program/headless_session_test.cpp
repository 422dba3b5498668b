#include "program/headless_session.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/fake_desktop.h"
#include "support/fake_keyboard.h"
#include "support/fake_port_watcher.h"
#include "support/fake_serial_port.h"
#include "support/manual_timer.h"

namespace vantorix {
namespace {

using namespace test;

constexpr const char* kLossReason = "Port COM1 was lost: the device is no longer available";

// A headless run over fakes: the settings file holds `stored`, and every exit
// request is recorded with what had been typed when it was made.
struct HeadlessRun {
    explicit HeadlessRun(const RedirectSettings& stored) {
        file.stored = stored;
        timer.onTick = [this] { session.Timer1_Timer(); };
    }

    void start(const std::optional<std::string>& givenPort = std::nullopt) {
        session.start(file, givenPort);
    }

    // The adapter is pulled out: the control closes the port, then reports it.
    void loseThePort() {
        port.setPortOpen(false);
        port.OnPortLost(kLossReason);
    }

    Journal journal;
    FakeSettingsFile file{journal};
    FakeSerialPort port;
    ManualTimer timer;
    FakePortWatcher watcher;
    FakeKeyboard keyboard;
    std::ostringstream messages;
    std::vector<int> exits;
    std::vector<std::vector<std::string>> typedAtExit;
    HeadlessSession session{port, timer, watcher, keyboard, messages, [this](int status) {
                                exits.push_back(status);
                                typedAtExit.push_back(keyboard.sent);
                            }};
};

TEST(HeadlessSession, OpensTheStoredPortOrTheOneGivenAndSaysSo) {
    RedirectSettings advanced;
    advanced.Combo_portselect = "COM3";
    advanced.Combo_baud = "19200";
    advanced.Combo_parity = "Even";
    advanced.Combo_length = "7 bits";
    advanced.Check_preamble = 1;
    struct Case {
        RedirectSettings stored;
        std::optional<std::string> port;
        const char* portStep;
        const char* message;
    };
    const Case cases[] = {
        {RedirectSettings{}, std::nullopt, "CommPort=1",
         "Redirecting COM1 at 9600,N,8,1; stop with Ctrl+C.\n"},
        {advanced, std::nullopt, "CommPort=3",
         "Redirecting COM3 at 19200,E,7,1 with advanced options; stop with Ctrl+C.\n"},
        {advanced, "/dev/ttyUSB1", "CommDevice=/dev/ttyUSB1",
         "Redirecting /dev/ttyUSB1 at 19200,E,7,1 with advanced options; stop with Ctrl+C.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        HeadlessRun run(c.stored);
        run.start(c.port);
        EXPECT_TRUE(run.port.PortOpen());
        EXPECT_EQ(run.port.log.front(), c.portStep);
        EXPECT_EQ(run.messages.str(), c.message);
        EXPECT_TRUE(run.exits.empty());
    }
}

TEST(HeadlessSession, APortThatCannotBeOpenedEndsTheRunWithStatusOneAndTheReasonBeneath) {
    const std::string portMessage =
        "Com Port control: COM 4 already open or not available. Shutdown any other program that "
        "is using this port first\n";
    for (const std::string reason : {"", "There is no device /dev/ttyS3."}) {
        RedirectSettings stored;
        stored.Combo_portselect = "COM4";
        HeadlessRun run(stored);
        run.port.opens = false;
        run.port.failureReason = reason;
        run.start();
        EXPECT_EQ(run.messages.str(), portMessage + (reason.empty() ? "" : reason + "\n"));
        EXPECT_EQ(run.exits, std::vector<int>{kExitPortUnavailable});
    }
}

TEST(HeadlessSession, KeysThatCannotBeWrittenEndTheRunWithStatusTwoEvenWhileEnding) {
    for (const bool ending : {false, true}) {
        HeadlessRun run(RedirectSettings{});
        run.start();
        run.port.receive(std::string(4 * ReceiveHandler::kSliceLength, 'k'));
        if (ending) {
            run.session.terminate();
        }
        run.messages.str("");
        run.keyboard.whileTyping = [&run] { run.session.keysCannotBeWritten(); };
        run.timer.advance(FlushTimer::kIntervalMs);
        EXPECT_EQ(run.exits, std::vector<int>{kExitKeysOutputFailed}) << "ending " << ending;
        EXPECT_EQ(run.keyboard.sent.size(), 1U) << "nothing more is handed to the keyboard";
        EXPECT_EQ(run.messages.str(), std::string(kKeysOutputFailedMessage) + "\n");
    }
}

TEST(HeadlessSession, TypesWhatArrivesAtTheNextTickButNothingThatWaitedBeforeTheStart) {
    RedirectSettings stored;
    stored.Check_ENTER_KEY = 1;
    HeadlessRun run(stored);
    run.port.waiting = "stale";
    run.start();
    run.port.receive("a+b\r\n");
    EXPECT_TRUE(run.keyboard.sent.empty()) << "nothing is typed from inside the receive event";
    run.timer.advance(FlushTimer::kIntervalMs);
    EXPECT_EQ(run.keyboard.sent, std::vector<std::string>{"a{+}b~"});
    EXPECT_TRUE(run.exits.empty());
}

TEST(HeadlessSession, WhatIsQueuedIsTypedBeforeTheRunEndsButAnUnfinishedRecordIsNot) {
    RedirectSettings commaRecords;
    commaRecords.Combo_EOL = ",";
    commaRecords.Check_preamble = 1;
    commaRecords.Text_preamble = "{HOME}";
    RedirectSettings pauseRecords = commaRecords;
    pauseRecords.Combo_EOL = "DELAY 250mS";
    // The program asked to end, after the port was lost or while it is there.
    enum class End { Lost, Ended };
    struct Case {
        const char* name;
        RedirectSettings stored;
        const char* received;
        End end;
        std::vector<std::string> typed;
        int status;
    };
    const Case cases[] = {
        {"plain, lost", RedirectSettings{}, "abc", End::Lost, {"abc"}, 0},
        {"plain, ended", RedirectSettings{}, "abc", End::Ended, {"abc"}, 0},
        {"nothing, lost", RedirectSettings{}, "", End::Lost, {}, 0},
        {"nothing, ended", RedirectSettings{}, "", End::Ended, {}, 0},
        {"a record and more, lost", commaRecords, "12.5,7", End::Lost, {"{HOME}12.5"}, 0},
        {"a record and more, ended", commaRecords, "12.5,7", End::Ended, {"{HOME}12.5"}, 0},
        {"part of a record, lost", commaRecords, "7", End::Lost, {}, 0},
        {"awaiting the pause, lost", pauseRecords, "12.5", End::Lost, {"{HOME}12.5"}, 0},
        {"awaiting the pause, ended", pauseRecords, "12.5", End::Ended, {"{HOME}12.5"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessRun run(c.stored);
        run.start();
        if (*c.received != '\0') {
            run.port.receive(c.received);
        }
        if (c.end == End::Lost) {
            run.loseThePort();
        }
        run.session.terminate();
        run.timer.advance(0);
        EXPECT_EQ(run.exits, std::vector<int>{c.status});
        EXPECT_FALSE(run.watcher.watching()) << "an ending run waits for no port";
        ASSERT_EQ(run.typedAtExit.size(), 1u);
        EXPECT_EQ(run.typedAtExit[0], c.typed);
    }
}

TEST(HeadlessSession, APortThatGoesAwayIsWaitedForSaidAndReopenedWithTheSameSettings) {
    RedirectSettings stored;
    stored.Combo_portselect = "/dev/ttyUSB0";
    stored.Combo_baud = "19200";
    stored.Combo_handshake = "RTS";
    stored.Combo_EOL = ",";
    stored.Check_preamble = 1;
    HeadlessRun run(stored);
    run.start();
    run.port.receive("1,2");
    run.messages.str("");
    run.loseThePort();
    EXPECT_EQ(run.watcher.watched, "/dev/ttyUSB0");
    EXPECT_EQ(run.messages.str(),
              std::string(kLossReason) + ". Waiting for /dev/ttyUSB0 to come back.\n");
    run.timer.advance(FlushTimer::kIntervalMs);
    EXPECT_EQ(run.keyboard.sent, std::vector<std::string>{"1"}) << "typed while waiting";

    run.port.opens = false;
    run.port.log.clear();
    EXPECT_TRUE(run.watcher.notice());
    EXPECT_TRUE(run.watcher.watching()) << "a notice while the port is still absent";

    run.port.opens = true;
    run.port.log.clear();
    run.port.waiting = "3,";
    EXPECT_TRUE(run.watcher.notice());
    EXPECT_FALSE(run.watcher.watching());
    EXPECT_EQ(run.port.log, (std::vector<std::string>{
                                "CommDevice=/dev/ttyUSB0", "Settings=9600,N,8,1", "InputLen=0",
                                "PortOpen=1", "Settings=19200,N,8,1", "Handshaking=2"}))
        << "what the returned device sent is not dropped";
    run.port.receive("");
    run.timer.advance(FlushTimer::kIntervalMs);
    EXPECT_EQ(run.keyboard.sent, (std::vector<std::string>{"1", "3"}))
        << "the record cut by the loss is not typed, nothing is typed twice";
    EXPECT_EQ(run.messages.str(), std::string(kLossReason) +
                                      ". Waiting for /dev/ttyUSB0 to come back.\n"
                                      "/dev/ttyUSB0 is back; redirecting again.\n");
    EXPECT_TRUE(run.exits.empty());
}

TEST(HeadlessSession, ALossAfterTheEndIsNotReported) {
    HeadlessRun terminated(RedirectSettings{});
    terminated.start();
    terminated.messages.str("");
    terminated.session.terminate();
    terminated.timer.advance(0);
    terminated.loseThePort();
    EXPECT_EQ(terminated.exits, std::vector<int>{kExitTerminated});
    EXPECT_EQ(terminated.messages.str(), "") << "a loss after the end is not reported";
}

TEST(HeadlessSession, AskedTwiceToEndItDropsWhatIsStillToBeTypedAndEndsAtOnce) {
    HeadlessRun run(RedirectSettings{});
    run.start();
    run.port.receive(std::string(64 * 1024, 'x'));
    run.session.terminate();
    EXPECT_TRUE(run.exits.empty()) << "the queue is typed first";
    run.session.terminate();
    EXPECT_EQ(run.exits, std::vector<int>{kExitTerminated});
    run.timer.advance(FlushTimer::kIntervalMs);
    std::size_t typed = 0;
    for (const std::string& slice : run.keyboard.sent) {
        typed += slice.size();
    }
    EXPECT_LT(typed, 64u * 1024u) << "the rest of the queue is dropped";
}

}  // namespace
}  // namespace vantorix
