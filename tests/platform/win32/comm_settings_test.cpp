#include "platform/win32/comm_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "serial/line_settings.h"

namespace vantorix::win32 {
namespace {

struct LineCase {
    std::string text;
    DWORD baud;
    BYTE parity;
    bool parityChecked;
    BYTE dataBits;
    BYTE stopBits;
};

TEST(CommSettings, EveryLineSettingGoesIntoTheDcb) {
    const LineCase cases[] = {
        {"9600,N,8,1", 9600, NOPARITY, false, 8, ONESTOPBIT},
        {"110,S,5,2", 110, SPACEPARITY, true, 5, TWOSTOPBITS},
        {"19200,E,7,2", 19200, EVENPARITY, true, 7, TWOSTOPBITS},
        {"56000,O,6,1.5", 56000, ODDPARITY, true, 6, ONE5STOPBITS},
        {"115200,M,4,1", 115200, MARKPARITY, true, 4, ONESTOPBIT},
    };
    for (const LineCase& line : cases) {
        DCB dcb{};
        dcb.fParity = TRUE;
        applyLineSettings(dcb, parseLineSettings(line.text).value());
        EXPECT_EQ(dcb.BaudRate, line.baud) << line.text;
        EXPECT_EQ(dcb.Parity, line.parity) << line.text;
        EXPECT_EQ(dcb.fParity != FALSE, line.parityChecked) << line.text;
        EXPECT_EQ(dcb.ByteSize, line.dataBits) << line.text;
        EXPECT_EQ(dcb.StopBits, line.stopBits) << line.text;
    }
}

struct HandshakeCase {
    std::int32_t mode;
    bool ctsHoldsOutput;
    DWORD rtsControl;
    bool xonXoff;
};

TEST(CommSettings, HandshakesFlowControlBothWays) {
    const HandshakeCase cases[] = {
        {0, false, RTS_CONTROL_DISABLE, false},
        {1, false, RTS_CONTROL_DISABLE, true},
        {2, true, RTS_CONTROL_HANDSHAKE, false},
        {3, true, RTS_CONTROL_HANDSHAKE, true},
    };
    for (const HandshakeCase& handshake : cases) {
        // From a DCB that had every kind of flow control on.
        DCB dcb{};
        dcb.fOutxCtsFlow = TRUE;
        dcb.fRtsControl = RTS_CONTROL_TOGGLE;
        dcb.fOutX = TRUE;
        dcb.fInX = TRUE;
        applyHandshaking(dcb, handshake.mode);
        EXPECT_EQ(dcb.fOutxCtsFlow != FALSE, handshake.ctsHoldsOutput) << handshake.mode;
        EXPECT_EQ(dcb.fRtsControl, handshake.rtsControl) << handshake.mode;
        EXPECT_EQ(dcb.fOutX != FALSE, handshake.xonXoff) << handshake.mode;
        EXPECT_EQ(dcb.fInX != FALSE, handshake.xonXoff) << handshake.mode;
        if (handshake.xonXoff) {
            EXPECT_EQ(dcb.XonChar, 0x11);
            EXPECT_EQ(dcb.XoffChar, 0x13);
        }
    }
}

TEST(CommSettings, APreparedPortRaisesDtrAndPassesEveryByte) {
    DCB dcb{};
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fNull = TRUE;
    dcb.fErrorChar = TRUE;
    dcb.fAbortOnError = TRUE;
    dcb.fOutxDsrFlow = TRUE;
    prepareDcb(dcb);
    EXPECT_EQ(dcb.DCBlength, sizeof(DCB));
    EXPECT_EQ(dcb.fDtrControl, static_cast<DWORD>(DTR_CONTROL_ENABLE));
    EXPECT_TRUE(dcb.fBinary);
    EXPECT_FALSE(dcb.fNull) << "null bytes would be dropped";
    EXPECT_FALSE(dcb.fErrorChar) << "bytes with parity errors would be replaced";
    EXPECT_FALSE(dcb.fAbortOnError) << "one line error would stop all reading";
    EXPECT_FALSE(dcb.fOutxDsrFlow);
}

TEST(CommSettings, ReadsEndAfterAShortQuietAndWritesHaveTimeForEveryByte) {
    for (const std::int32_t baud : {110, 9600, 115200}) {
        const COMMTIMEOUTS timeouts = commTimeouts(baud);
        // Waiting for the first byte without end: no polling of an idle port.
        EXPECT_EQ(timeouts.ReadTotalTimeoutConstant, 0U) << baud;
        EXPECT_EQ(timeouts.ReadTotalTimeoutMultiplier, 0U) << baud;
        EXPECT_GT(timeouts.ReadIntervalTimeout, 0U) << baud;
        // Well inside the 250 ms pause that ends a record.
        EXPECT_LE(timeouts.ReadIntervalTimeout, 50U) << baud;
        // A byte takes 10 bits on the line at least.
        const double msPerByte = 10'000.0 / baud;
        EXPECT_GE(timeouts.WriteTotalTimeoutMultiplier, msPerByte) << baud;
        EXPECT_GT(timeouts.WriteTotalTimeoutConstant, 0U) << baud;
    }
}

}  // namespace
}  // namespace vantorix::win32
