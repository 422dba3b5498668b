// The serial port control over a real line: socat joins COM5 and COM6 of the tests' Wine prefix.
#include "platform/win32/win32_serial_port_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "serial/redirection_start.h"
#include "support/win32/message_pump.h"
#include "support/win32/serial_line.h"

namespace vantorix::win32 {
namespace {

using test::FarEnd;
using test::pumpMessagesUntil;
using test::SerialLine;

constexpr auto kTimeout = std::chrono::seconds(10);

std::string everyByteValue() {
    std::string bytes;
    for (int value = 0; value < 256; ++value) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

std::string burst(std::size_t size) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) {
        bytes.push_back(static_cast<char>('!' + i % 90));
    }
    return bytes;
}

class SerialPortControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(line.isReady()) << line.problem();
        MSComm1.OnComm = [this] {
            ++events;
            eventThreads.push_back(GetCurrentThreadId());
            received += MSComm1.Input();
        };
        MSComm1.OnPortLost = [this](const std::string& reason) { losses.push_back(reason); };
    }

    bool open(const std::string& settings = "9600,N,8,1") {
        return MSComm1.setCommPort(SerialLine::kNearPort) && MSComm1.setSettings(settings) &&
               MSComm1.setPortOpen(true);
    }

    // Pumps messages until `count` bytes have come through OnComm.
    std::string receive(std::size_t count) {
        pumpMessagesUntil([&] { return received.size() >= count; }, kTimeout);
        return received;
    }

    SerialLine line;
    Win32SerialPortControl MSComm1;
    int events = 0;
    std::vector<DWORD> eventThreads;
    std::string received;
    std::vector<std::string> losses;
};

TEST_F(SerialPortControlTest, EveryByteValueArrivesThroughOnCommOnThisThread) {
    ASSERT_TRUE(open());
    FarEnd device;
    ASSERT_TRUE(device.isOpen());

    ASSERT_TRUE(device.write(everyByteValue()));
    EXPECT_EQ(receive(256), everyByteValue());
    EXPECT_EQ(MSComm1.CommEvent(), SerialPortControl::comEvReceive);
    ASSERT_FALSE(eventThreads.empty());
    for (const DWORD thread : eventThreads) {
        EXPECT_EQ(thread, GetCurrentThreadId());
    }
}

TEST_F(SerialPortControlTest, EveryByteValueGoesOut) {
    ASSERT_TRUE(open());
    FarEnd device;
    EXPECT_TRUE(MSComm1.Output(everyByteValue()));
    EXPECT_EQ(device.read(256), everyByteValue());
}

TEST_F(SerialPortControlTest, A4KiBBurstArrivesWholeAndInFewBatches) {
    ASSERT_TRUE(open("115200,N,8,1"));
    FarEnd device;
    const std::string bytes = burst(4096);
    ASSERT_TRUE(device.write(bytes));
    EXPECT_EQ(receive(bytes.size()), bytes);
    // One event per arrival, not per byte.
    EXPECT_LT(events, 64);

    EXPECT_TRUE(MSComm1.Output(bytes));
    EXPECT_EQ(device.read(bytes.size()), bytes);
}

TEST_F(SerialPortControlTest, InputLenLimitsOneReadAndTheRestIsRaisedAgain) {
    std::vector<std::string> reads;
    MSComm1.OnComm = [&] {
        reads.push_back(MSComm1.Input());
        received += reads.back();
    };
    ASSERT_TRUE(MSComm1.setInputLen(4));
    ASSERT_TRUE(open());
    FarEnd device;
    ASSERT_TRUE(device.write("abcdefghij"));
    EXPECT_EQ(receive(10), "abcdefghij");
    test::pumpWaitingMessages();
    for (const std::string& read : reads) {
        EXPECT_GE(read.size(), 1U) << "raised with nothing waiting";
        EXPECT_LE(read.size(), 4U) << read;
    }
}

struct SettingsCase {
    std::string text;
    DWORD baud;
    BYTE stopBits;
};

// What a pseudo-terminal keeps of them: the baud rate and the stop bits.
TEST_F(SerialPortControlTest, LineSettingsReachTheDeviceWhenOpenedAndWhileOpen) {
    const SettingsCase cases[] = {
        {"110,N,8,2", 110, TWOSTOPBITS},
        {"1200,E,7,1", 1200, ONESTOPBIT},
        {"19200,O,8,2", 19200, TWOSTOPBITS},
        {"115200,N,8,1", 115200, ONESTOPBIT},
    };
    ASSERT_TRUE(open(cases[0].text));
    for (const SettingsCase& settings : cases) {
        EXPECT_TRUE(MSComm1.setSettings(settings.text)) << settings.text;
        const DCB reported = test::reportedState(SerialLine::kNearPort);
        EXPECT_EQ(reported.BaudRate, settings.baud) << settings.text;
        EXPECT_EQ(reported.StopBits, settings.stopBits) << settings.text;
    }
}

TEST_F(SerialPortControlTest, ARefusedSettingLeavesTheSettingsInForce) {
    ASSERT_TRUE(open("19200,N,8,1"));
    EXPECT_FALSE(MSComm1.setSettings("19200,N,4,1")) << "no device takes 4 data bits";
    EXPECT_FALSE(MSComm1.setSettings("fast"));
    EXPECT_TRUE(MSComm1.PortOpen());
    EXPECT_EQ(test::reportedState(SerialLine::kNearPort).BaudRate, 19200U);
    for (const std::int32_t mode : {0, 1, 2, 3}) {
        EXPECT_TRUE(MSComm1.setHandshaking(mode)) << mode;
    }
    EXPECT_FALSE(MSComm1.setHandshaking(4));
}

TEST_F(SerialPortControlTest, TheFarEndGoingAwayClosesThePortAndIsReportedOnce) {
    ASSERT_TRUE(open());
    {
        FarEnd device;
        ASSERT_TRUE(device.write("x"));
        receive(1);
    }
    line.unplug();
    ASSERT_TRUE(pumpMessagesUntil([&] { return !losses.empty(); }, kTimeout));
    EXPECT_FALSE(MSComm1.PortOpen());
    EXPECT_FALSE(MSComm1.receiving()) << "nothing reads the lost port any more";
    EXPECT_NE(losses.front().find("COM5"), std::string::npos) << losses.front();
    test::pumpWaitingMessages();
    EXPECT_EQ(losses.size(), 1U);
    EXPECT_EQ(MSComm1.Input(), "");
    EXPECT_FALSE(MSComm1.Output("y"));
}

TEST_F(SerialPortControlTest, ClosingAndOpeningAgainStartsAfresh) {
    ASSERT_TRUE(open());
    FarEnd device;
    ASSERT_TRUE(device.write("old"));
    ASSERT_TRUE(pumpMessagesUntil([&] { return MSComm1.receiving(); }, kTimeout));
    EXPECT_TRUE(MSComm1.setPortOpen(false));
    EXPECT_FALSE(MSComm1.PortOpen());
    EXPECT_FALSE(MSComm1.receiving());
    EXPECT_EQ(MSComm1.Input(), "");

    ASSERT_TRUE(MSComm1.setPortOpen(true));
    received.clear();
    ASSERT_TRUE(device.write("new"));
    EXPECT_EQ(receive(3).substr(received.size() - 3), "new");
    EXPECT_TRUE(losses.empty());
}

// Wine lets a second program open a port that is in use; Windows refuses it
// with ERROR_ACCESS_DENIED, which is put in here.
TEST(SerialPortControlOpening, ABusyOrMissingPortStaysClosedAndStartSaysSo) {
    struct Case {
        const char* what;
        CommPortOpener opener;
        DWORD error;
    };
    const Case cases[] = {
        {"busy",
         [](const std::wstring&, DWORD& error) {
             error = ERROR_ACCESS_DENIED;
             return INVALID_HANDLE_VALUE;
         },
         ERROR_ACCESS_DENIED},
        {"missing", openCommDevice, ERROR_FILE_NOT_FOUND},
    };
    for (const Case& port : cases) {
        Win32SerialPortControl MSComm1(port.opener);
        RedirectSettings settings;
        settings.Combo_portselect = "COM17";  // not mapped in the tests' Wine prefix
        EXPECT_FALSE(openPortForRedirection(MSComm1, settings)) << port.what;
        EXPECT_FALSE(MSComm1.PortOpen()) << port.what;
        EXPECT_EQ(MSComm1.lastOpenError(), port.error) << port.what;
        EXPECT_FALSE(MSComm1.Output("x")) << port.what;
    }
}

}  // namespace
}  // namespace vantorix::win32
