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

TEST(RedirectionStart, ABusyPortStopsBeforeAnyLineSetting) {
    FakeSerialPort port;
    port.opens = false;
    EXPECT_FALSE(openPortForRedirection(port, RedirectSettings{}));
    EXPECT_EQ(port.log.back(), "PortOpen=1");
}

TEST(RedirectionStart, ARejectedLineSettingLeavesThePortOpen) {
    FakeSerialPort port;
    port.rejected = {"9600,E,7,1"};
    RedirectSettings s;
    s.Combo_parity = "Even";
    s.Combo_length = "7 bits";
    EXPECT_TRUE(openPortForRedirection(port, s));
    EXPECT_TRUE(port.PortOpen());
    EXPECT_EQ(port.log.back(), "Input");
}

}  // namespace
}  // namespace vantorix
