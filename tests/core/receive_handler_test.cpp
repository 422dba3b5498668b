#include "core/receive_handler.h"

#include <gtest/gtest.h>

#include "support/fake_keyboard.h"
#include "support/fake_serial_port.h"
#include "support/manual_timer.h"

namespace vantorix {
namespace {

using test::FakeKeyboard;
using test::FakeSerialPort;
using test::ManualTimer;

class ReceiveHandlerTest : public ::testing::Test {
  protected:
    ReceiveHandlerTest() {
        port.setPortOpen(true);
        port.OnComm = [this] { handler.MSComm1_OnComm(); };
        timer.onTick = [this] { handler.Timer1_Timer(); };
    }

    void useAdvancedOptions(std::string endOfLine) {
        settings.Combo_EOL = std::move(endOfLine);
        settings.Check_postamble = 1;  // any advanced switch makes the options active
        indicator.update(settings);
    }

    FakeSerialPort port;
    ManualTimer timer;
    FakeKeyboard keyboard;
    RedirectSettings settings;
    AdvancedOptionsIndicator indicator;
    ReceiveHandler handler{port, timer, keyboard, settings, indicator};
};

TEST_F(ReceiveHandlerTest, SimplePathTypesTheTranslatedBatchAtTheNextTick) {
    settings.Check_ENTER_KEY = 1;
    port.receive("a+b\r\n");
    EXPECT_EQ(handler.queuedKeys(), "a{+}b~");
    EXPECT_TRUE(keyboard.sent.empty()) << "nothing is typed inside the receive event";
    timer.advance(250);
    EXPECT_EQ(keyboard.calls, (std::vector<std::string>{"send:a{+}b~"}));
    EXPECT_EQ(handler.queuedKeys(), "");
    EXPECT_FALSE(timer.isEnabled());
}

TEST_F(ReceiveHandlerTest, BatchesQueuedBeforeATickAreTypedTogether) {
    port.receive("12");
    timer.advance(100);
    port.receive("34\t");
    timer.advance(150);
    EXPECT_EQ(keyboard.sent, (std::vector<std::string>{"1234{TAB}"}));
}

TEST_F(ReceiveHandlerTest, ASteadyStreamIsTypedEveryPeriodNotHeldBack) {
    for (int ms = 0; ms < 1000; ms += 10) {
        port.receive("x");
        timer.advance(10);
    }
    EXPECT_EQ(keyboard.sent.size(), 4u);
    std::string typed;
    for (const std::string& keys : keyboard.sent) {
        typed += keys;
    }
    EXPECT_EQ(typed + handler.queuedKeys(), std::string(100, 'x'));
}

TEST_F(ReceiveHandlerTest, EventsThatBringNothingAreIgnored) {
    timer.disable();
    port.event = 1;  // not a receive event
    port.waiting = "a";
    handler.MSComm1_OnComm();
    EXPECT_EQ(port.waiting, "a") << "the input must not be read";
    port.event = SerialPortControl::comEvReceive;
    port.setPortOpen(false);
    handler.MSComm1_OnComm();
    EXPECT_EQ(port.waiting, "a");
    port.setPortOpen(true);
    port.waiting.clear();
    handler.MSComm1_OnComm();
    EXPECT_FALSE(timer.isEnabled()) << "an empty read leaves the timer alone";
}

TEST_F(ReceiveHandlerTest, AFlushWithNothingQueuedKeepsTheTimerRunning) {
    timer.enable();
    timer.advance(1000);
    EXPECT_TRUE(keyboard.calls.empty());
    EXPECT_TRUE(timer.isEnabled());
}

TEST_F(ReceiveHandlerTest, TextReceivedWhileTheKeyboardIsTypingIsNotLost) {
    bool delivered = false;
    keyboard.whileTyping = [&] {
        if (!delivered) {
            delivered = true;
            port.receive("late");
        }
    };
    port.receive("early");
    timer.advance(250);
    EXPECT_EQ(handler.queuedKeys(), "late");
    EXPECT_TRUE(timer.isEnabled()) << "the late text needs a tick of its own";
    timer.advance(250);
    EXPECT_EQ(keyboard.sent, (std::vector<std::string>{"early", "late"}));
}

TEST_F(ReceiveHandlerTest, CarriageReturnModeCutsOneInputStringPerEvent) {
    useAdvancedOptions("CR");
    settings.Check_ENTER_KEY = 1;
    port.receive("12\r34");
    EXPECT_EQ(handler.queuedKeys(), "12~");
    EXPECT_EQ(handler.receivedText(), "34");
    port.receive("5\r");
    EXPECT_EQ(handler.queuedKeys(), "12~345~");
    EXPECT_EQ(handler.receivedText(), "");

    port.receive("1\r2\r");
    EXPECT_EQ(handler.queuedKeys(), "12~345~1~");
    EXPECT_EQ(handler.receivedText(), "2\r") << "the second line waits for the next batch";
}

TEST_F(ReceiveHandlerTest, LineFeedAfterCarriageReturnStartsTheNextInputString) {
    useAdvancedOptions("CR");
    settings.Check_LF_KEY = 1;
    port.receive("a\r\n");
    EXPECT_EQ(handler.queuedKeys(), "a");
    EXPECT_EQ(handler.receivedText(), "\n");
    port.receive("b\r");
    EXPECT_EQ(handler.queuedKeys(), "a~b");
}

TEST_F(ReceiveHandlerTest, OtherEndOfLineModes) {
    useAdvancedOptions("LFD");
    port.receive("a\nb");
    EXPECT_EQ(handler.queuedKeys(), "a");
    EXPECT_EQ(handler.receivedText(), "b");

    handler.Timer1_Timer();
    handler.clearReceived();
    settings.Combo_EOL = ",";
    port.receive("ab,cd");
    EXPECT_EQ(handler.queuedKeys(), "ab") << "the comma is never typed";
    EXPECT_EQ(handler.receivedText(), "cd");

    handler.Timer1_Timer();
    handler.clearReceived();
    settings.Combo_EOL = "TAB";
    port.receive("x\t");
    EXPECT_EQ(handler.queuedKeys(), "x{TAB}");

    handler.Timer1_Timer();
    settings.Combo_EOL = "";  // no end of line chosen
    port.receive("p\rq");
    EXPECT_EQ(handler.queuedKeys(), "pq");
    EXPECT_EQ(handler.receivedText(), "");
}

TEST_F(ReceiveHandlerTest, TextGatheredUnderOneModeIsCutByTheNextMode) {
    useAdvancedOptions("CR");
    port.receive("ab,cd");
    EXPECT_EQ(handler.queuedKeys(), "");
    settings.Combo_EOL = ",";
    port.receive("e");
    EXPECT_EQ(handler.queuedKeys(), "ab");
    EXPECT_EQ(handler.receivedText(), "cde");
}

TEST_F(ReceiveHandlerTest, InputStringsAreTransformedWithTheAdvancedOptions) {
    useAdvancedOptions("CR");
    settings.Text_postamble = "{ENTER}";
    settings.Check_preamble = 1;
    settings.Text_preamble = "{HOME}";
    port.receive("42\r");
    timer.advance(250);
    EXPECT_EQ(keyboard.sent, (std::vector<std::string>{"{HOME}42{ENTER}"}));
}

TEST_F(ReceiveHandlerTest, DelayModeTypesEverythingOnceTheLineIsQuiet) {
    useAdvancedOptions("DELAY 250mS");
    settings.Text_postamble = "!";
    for (int batch = 0; batch < 5; ++batch) {
        port.receive(std::to_string(batch));
        timer.advance(100);
    }
    EXPECT_TRUE(keyboard.sent.empty()) << "batches 100 ms apart keep the flush away";
    EXPECT_EQ(handler.queuedKeys(), "01234") << "the queue holds the raw gathered text";
    timer.advance(150);
    EXPECT_EQ(keyboard.sent, (std::vector<std::string>{"01234!"}));
    EXPECT_EQ(handler.queuedKeys(), "");
    EXPECT_EQ(handler.receivedText(), "");
    EXPECT_FALSE(timer.isEnabled());
}

TEST_F(ReceiveHandlerTest, DelayModeKeepsTextReceivedWhileTyping) {
    useAdvancedOptions("DELAY 250mS");
    settings.Check_postamble = 0;
    settings.Check_preamble = 1;  // still active, no visible framing
    bool delivered = false;
    keyboard.whileTyping = [&] {
        if (!delivered) {
            delivered = true;
            port.receive("late");
        }
    };
    port.receive("early");
    timer.advance(250);
    timer.advance(250);
    EXPECT_EQ(keyboard.sent, (std::vector<std::string>{"early", "late"}));
}

TEST_F(ReceiveHandlerTest, DelayModeNeedsTheAdvancedOptionsToBeActive) {
    settings.Combo_EOL = "DELAY 250mS";  // indicator off: simple path
    port.receive("a");
    timer.advance(250);
    EXPECT_EQ(keyboard.sent, (std::vector<std::string>{"a"}));
}

TEST_F(ReceiveHandlerTest, TheIndicatorDecidesThePathNotTheSwitchesAsTheyAreNow) {
    settings.Check_preamble = 1;
    settings.Text_preamble = "P";
    port.receive("a\r");  // indicator not updated yet: simple path
    EXPECT_EQ(handler.queuedKeys(), "a");
    indicator.update(settings);
    port.receive("b\r");
    EXPECT_EQ(handler.queuedKeys(), "aPb");
}

TEST_F(ReceiveHandlerTest, TheFlushTypesWithWaitAndRestoresLocks) {
    keyboard.numLock = true;
    keyboard.whileTyping = [&] { keyboard.numLock = false; };
    port.receive("z");
    timer.advance(250);
    EXPECT_EQ(keyboard.calls, (std::vector<std::string>{"send:z", "toggle:num"}));
}

}  // namespace
}  // namespace vantorix
