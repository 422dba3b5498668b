#include "platform/win32/comm_settings.h"

#include <algorithm>

namespace vantorix::win32 {
namespace {

constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;
// Bits on the line per character at most: start, 8 data, parity, 2 stop.
constexpr std::int32_t kMaxBitsPerCharacter = 12;
constexpr DWORD kQuietCharacters = 2;
constexpr DWORD kShortestQuietMs = 5;
// Well below the 250 ms pause that ends a record, so that the pause is seen.
constexpr DWORD kLongestQuietMs = 20;
constexpr DWORD kWriteAllowanceMs = 1000;

BYTE parityCode(Parity parity) {
    switch (parity) {
        case Parity::Even:
            return EVENPARITY;
        case Parity::Odd:
            return ODDPARITY;
        case Parity::Mark:
            return MARKPARITY;
        case Parity::Space:
            return SPACEPARITY;
        case Parity::None:
            break;
    }
    return NOPARITY;
}

BYTE stopBitsCode(StopBits stopBits) {
    switch (stopBits) {
        case StopBits::OneAndHalf:
            return ONE5STOPBITS;
        case StopBits::Two:
            return TWOSTOPBITS;
        case StopBits::One:
            break;
    }
    return ONESTOPBIT;
}

// Milliseconds one character takes on the line, rounded up.
DWORD characterTimeMs(std::int32_t baud) {
    const std::int32_t rate = std::max<std::int32_t>(baud, 1);
    return static_cast<DWORD>((kMaxBitsPerCharacter * 1000 + rate - 1) / rate);
}

}  // namespace

void prepareDcb(DCB& dcb) {
    dcb.DCBlength = sizeof dcb;
    dcb.fBinary = TRUE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.fTXContinueOnXoff = TRUE;
}

void applyLineSettings(DCB& dcb, const LineSettings& settings) {
    dcb.BaudRate = static_cast<DWORD>(settings.baud);
    dcb.Parity = parityCode(settings.parity);
    dcb.fParity = settings.parity == Parity::None ? FALSE : TRUE;
    dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
    dcb.StopBits = stopBitsCode(settings.stopBits);
}

void applyHandshaking(DCB& dcb, std::int32_t mode) {
    const bool rtsCts = mode == 2 || mode == 3;
    const bool xonXoff = mode == 1 || mode == 3;
    dcb.fOutxCtsFlow = rtsCts ? TRUE : FALSE;
    dcb.fRtsControl = rtsCts ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_DISABLE;
    dcb.fOutX = xonXoff ? TRUE : FALSE;
    dcb.fInX = xonXoff ? TRUE : FALSE;
    dcb.XonChar = kXon;
    dcb.XoffChar = kXoff;
}

COMMTIMEOUTS commTimeouts(std::int32_t baud) {
    const DWORD character = characterTimeMs(baud);
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout =
        std::clamp(kQuietCharacters * character, kShortestQuietMs, kLongestQuietMs);
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    timeouts.WriteTotalTimeoutMultiplier = 2 * character;
    timeouts.WriteTotalTimeoutConstant = kWriteAllowanceMs;
    return timeouts;
}

}  // namespace vantorix::win32
