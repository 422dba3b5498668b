#include "serial/redirection_start.h"

#include <gtest/gtest.h>

#include "support/fake_serial_port.h"

namespace vantorix {
namespace {

using test::FakeSerialPort;

TEST(RedirectionStart, SettingsTextJoinsBaudParityLetterDataBitsAndStopBits) {
    RedirectSettings s;
    s.Combo_baud = "110";
    s.Combo_parity = "Space";
    s.Combo_length = "5 bits";
    s.Combo_stop = "2";
    EXPECT_EQ(lineSettingsText(s), "110,S,5,2");
    s.Combo_baud = "19200";
    s.Combo_parity = "Even";
    s.Combo_length = "7 bits";
    EXPECT_EQ(lineSettingsText(s), "19200,E,7,2");
}

TEST(RedirectionStart, HandshakeItemsMapToTheirCodes) {
    EXPECT_EQ(handshakingCode("None"), 0);
    EXPECT_EQ(handshakingCode("Xon/Xoff"), 1);
    EXPECT_EQ(handshakingCode("RTS"), 2);
    EXPECT_EQ(handshakingCode("RTS XonXoff"), 3);
}

TEST(RedirectionStart, PortMessageNamesThePortsOwnNumberOrPath) {
    EXPECT_EQ(portUnavailableMessage("COM1"),
              "COM 1 already open or not available. Shutdown any other program that is using "
              "this port first");
    EXPECT_EQ(portUnavailableMessage("COM20").substr(0, 7), "COM 20 ");
    EXPECT_EQ(portUnavailableMessage("COM21").substr(0, 7), "COM 21 ");
    EXPECT_EQ(portUnavailableMessage("COMX").substr(0, 5), "COMX ");
    EXPECT_EQ(portUnavailableMessage("/dev/ttyUSB0").substr(0, 26), "/dev/ttyUSB0 already open ");
}

TEST(RedirectionStart, OpensAtDefaultsThenAppliesTheChosenLineAndDropsStaleInput) {
    FakeSerialPort port;
    port.waiting = "stale";
    RedirectSettings s;
    s.Combo_portselect = "COM20";
    s.Combo_baud = "19200";
    s.Combo_handshake = "RTS";
    ASSERT_TRUE(openPortForRedirection(port, s));
    EXPECT_EQ(port.log, (std::vector<std::string>{
                            "CommPort=20", "Settings=9600,N,8,1", "InputLen=0", "PortOpen=1",
                            "Settings=19200,N,8,1", "Handshaking=2", "Input"}));
    EXPECT_EQ(port.waiting, "");
}

TEST(RedirectionStart, ADevicePathIsOpenedByPath) {
    FakeSerialPort port;
    RedirectSettings s;
    s.Combo_portselect = "/dev/ttyUSB0";
    ASSERT_TRUE(openPortForRedirection(port, s));
    EXPECT_EQ(port.log.front(), "CommDevice=/dev/ttyUSB0");
}

TEST(RedirectionStart, ABusyPortStopsBeforeAnyLineSettingAndTellsWhy) {
    FakeSerialPort port;
    port.opens = false;
    port.failureReason = "Permission denied";
    const PortOpening opening = openPortForRedirection(port, RedirectSettings{});
    EXPECT_FALSE(opening);
    EXPECT_EQ(opening.failureReason, "Permission denied");
    EXPECT_EQ(port.log.back(), "PortOpen=1");
}

// 19200 baud with 4 data bits and RTS/CTS, refused in part or whole.
TEST(RedirectionStart, RefusedSettingsAreReportedNamingOnlyThoseInForce) {
    struct Case {
        const char* what;
        std::vector<std::string> refusedLines;
        bool handshakeRefused;
        const char* inForce;
        const char* message;
    };
    const Case cases[] = {
        {"all taken", {}, false, "19200,N,4,1", ""},
        {"line settings",
         {"19200,N,4,1"},
         false,
         "9600,N,8,1",
         "COM2 refused the line settings 19200,N,4,1 and runs at 9600,N,8,1."},
        {"handshake",
         {},
         true,
         "19200,N,4,1",
         "COM2 refused the handshake \"RTS\" and keeps the handshake it had."},
        {"both",
         {"19200,N,4,1"},
         true,
         "9600,N,8,1",
         "COM2 refused the line settings 19200,N,4,1 and runs at 9600,N,8,1.\nCOM2 refused the "
         "handshake \"RTS\" and keeps the handshake it had."},
        {"even the opening's",
         {"9600,N,8,1", "19200,N,4,1"},
         false,
         "",
         "COM2 refused the line settings 19200,N,4,1."},
    };
    RedirectSettings s;
    s.Combo_portselect = "COM2";
    s.Combo_baud = "19200";
    s.Combo_length = "4 bits";
    s.Combo_handshake = "RTS";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeSerialPort port;
        port.rejected = c.refusedLines;
        if (c.handshakeRefused) {
            port.rejectedHandshakes = {2};
        }
        const PortOpening opening = openPortForRedirection(port, s);
        EXPECT_TRUE(opening);
        EXPECT_EQ(opening.lineSettingsInForce, c.inForce);
        EXPECT_EQ(refusedSettingsMessage(opening, s), c.message);
        EXPECT_EQ(port.log.back(), "Input") << "stale input is dropped all the same";
    }
}

}  // namespace
}  // namespace vantorix
