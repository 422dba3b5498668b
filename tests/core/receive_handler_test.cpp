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

TEST_F(ReceiveHandlerTest, CarriageReturnModeKeepsAnUnfinishedLineForTheNextBatch) {
    useAdvancedOptions("CR");
    settings.Check_ENTER_KEY = 1;
    port.receive("12\r34");
    EXPECT_EQ(handler.queuedKeys(), "12~");
    EXPECT_EQ(handler.receivedText(), "34");
    port.receive("5\r");
    EXPECT_EQ(handler.queuedKeys(), "12~345~");
    EXPECT_EQ(handler.receivedText(), "");
}

struct RecordsInOneBatch {
    const char* endOfLine;
    const char* batch;
    const char* queued;
    const char* kept;
};

void PrintTo(const RecordsInOneBatch& records, std::ostream* out) {
    *out << records.endOfLine << " " << ::testing::PrintToString(std::string(records.batch));
}

class EveryRecordOfABatch : public ReceiveHandlerTest,
                            public ::testing::WithParamInterface<RecordsInOneBatch> {};

TEST_P(EveryRecordOfABatch, IsQueuedInOrderWithinTheReceiveEvent) {
    useAdvancedOptions(GetParam().endOfLine);
    settings.Check_ENTER_KEY = 1;
    settings.Check_LF_KEY = 1;
    settings.Text_postamble = "!";
    port.receive(GetParam().batch);
    EXPECT_EQ(handler.queuedKeys(), GetParam().queued);
    EXPECT_EQ(handler.receivedText(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    EndOfLineModes, EveryRecordOfABatch,
    ::testing::Values(RecordsInOneBatch{"CR", "111\r222\r333\r", "111~!222~!333~!", ""},
                      RecordsInOneBatch{"LFD", "111\n222\n333\n", "111~!222~!333~!", ""},
                      RecordsInOneBatch{"TAB", "1\t2\t3\t4", "1{TAB}!2{TAB}!3{TAB}!", "4"},
                      RecordsInOneBatch{",", "1,2,,3,4", "1!2!!3!", "4"},
                      RecordsInOneBatch{"CR", "a\r\nb\r\n", "a~!~b~!", "\n"},
                      RecordsInOneBatch{"CR", "\r\r", "~!~!", ""}));

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
    port.receive("ab,cd,ef");
    EXPECT_EQ(handler.queuedKeys(), "");
    settings.Combo_EOL = ",";
    port.receive("g");
    EXPECT_EQ(handler.queuedKeys(), "abcd");
    EXPECT_EQ(handler.receivedText(), "efg");
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

// Typing in slices: a long queue must not keep the program from handling a
// termination signal or a STOP until all of it is typed.
class SlicedTyping : public ReceiveHandlerTest {
  protected:
    SlicedTyping() {
        handler.setSliceLength(8);
        settings.Text_postamble = "!";  // marks where each record ends
    }

    std::string typedSoFar() const {
        std::string typed;
        for (const std::string& keys : keyboard.sent) {
            typed += keys;
        }
        return typed;
    }
};

TEST_F(SlicedTyping, ALongQueueIsTypedOneSlicePerTickAndTheRestPromptly) {
    port.receive("0123456789abcdefghij+{}");
    handler.Timer1_Timer();
    EXPECT_EQ(keyboard.sent, (std::vector<std::string>{"01234567"}));
    EXPECT_EQ(handler.keysBeingTyped(), "89abcdefghij{+}{{}{}}");
    timer.advance(0);  // no time passes: the rest follows as soon as the loop is free
    EXPECT_EQ(keyboard.sent,
              (std::vector<std::string>{"01234567", "89abcdef", "ghij{+}", "{{}{}}"}));
    EXPECT_EQ(handler.keysBeingTyped(), "");
}

TEST_F(SlicedTyping, DroppingTheUntypedTextStopsTypingBetweenSlices) {
    useAdvancedOptions("CR");
    port.receive("first record\rsecond record\rhalf");
    handler.Timer1_Timer();
    ASSERT_EQ(keyboard.sent.size(), 1u);
    port.receive(" more\r");
    handler.dropUntypedText();
    timer.advance(1000);
    EXPECT_EQ(keyboard.sent.size(), 1u);
    EXPECT_EQ(handler.receivedText(), "");
    EXPECT_EQ(handler.queuedKeys(), "");
    port.receive("next\r");
    timer.advance(250);
    EXPECT_EQ(keyboard.sent.back(), "next!") << "redirection goes on with what comes next";
}

TEST_F(SlicedTyping, EachSliceHasItsOwnCapsLockMeasureAndLockRestore) {
    keyboard.capsLock = true;
    int slices = 0;
    keyboard.whileTyping = [&] {
        if (++slices == 1) {
            keyboard.numLock = true;
        }
    };
    port.receive("abcdefgh{IJ}");
    timer.advance(250);
    EXPECT_EQ(keyboard.calls,
              (std::vector<std::string>{"send:ABCDEFGH", "toggle:num", "send:{{}ij{}}"}));
}

TEST_F(SlicedTyping, TextReceivedBetweenSlicesFollowsTheFlushInOrder) {
    useAdvancedOptions("DELAY 250mS");
    port.receive("0123456789ab");
    timer.advance(250);
    ASSERT_EQ(keyboard.sent, (std::vector<std::string>{"01234567", "89ab!"}));
    keyboard.sent.clear();
    handler.setSliceLength(4);
    port.receive("abcdefgh");
    handler.Timer1_Timer();  // the line has been quiet: the flush types its first slice
    ASSERT_EQ(keyboard.sent, (std::vector<std::string>{"abcd"}));
    port.receive("XY");  // between slices, still in the delay mode
    timer.advance(0);
    EXPECT_EQ(typedSoFar(), "abcdefgh!") << "the new batch must not replace the rest";
    timer.advance(250);
    EXPECT_EQ(typedSoFar(), "abcdefgh!XY!");
}

TEST_F(SlicedTyping, ATickFromInsideTheKeyboardWaitsForTheSliceBeingTyped) {
    bool nested = false;
    keyboard.whileTyping = [&] {
        if (!nested) {
            nested = true;
            handler.Timer1_Timer();
            EXPECT_EQ(keyboard.sent.size(), 1u) << "nothing typed within a slice";
        }
    };
    port.receive("0123456789abcdef");
    timer.advance(250);
    EXPECT_EQ(keyboard.sent, (std::vector<std::string>{"01234567", "89abcdef"}));
}

TEST_F(SlicedTyping, FinishingTypesTheQueueThenReportsDone) {
    useAdvancedOptions("CR");
    int done = 0;
    port.receive("0123456789\rpartial");
    handler.finishTyping([&] { ++done; });
    EXPECT_EQ(done, 0);
    timer.advance(0);
    EXPECT_EQ(typedSoFar(), "0123456789!");
    EXPECT_EQ(done, 1) << "a line without its end of line is not typed";

    handler.finishTyping([&] { ++done; });
    EXPECT_EQ(done, 2) << "nothing queued: done at once";

    port.receive("\rmore than one slice\r");
    handler.finishTyping([&] { ++done; });
    handler.Timer1_Timer();
    handler.dropUntypedText();
    EXPECT_EQ(done, 3) << "dropping the rest finishes too";
}

}  // namespace
}  // namespace vantorix
