#include "support/win32/serial_line.h"

#include <algorithm>

#include "support/win32/message_pump.h"
#include "support/win32/unix_side.h"

namespace vantorix::test {
namespace {

constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr const char* kPortsVariable = "VANTORIX_WINE_PORTS";

std::string linkOf(const std::string& folder, int port) {
    return folder + "/line-" + std::to_string(port);
}

std::string pidFileOf(const std::string& folder) {
    return folder + "/socat.pid";
}

std::wstring deviceOf(int port) {
    return L"\\\\.\\COM" + std::to_wstring(port);
}

}  // namespace

SerialLine::SerialLine() {
    const auto folder = unixFolder(kPortsVariable);
    if (!folder) {
        problem_ = std::string(kPortsVariable) +
                   " is not set: the line needs the Wine prefix of the tests' build folder";
        return;
    }
    folder_ = *folder;
    plugIn();
}

bool SerialLine::plugIn() {
    unplug();
    problem_.clear();
    const std::string nearLink = linkOf(folder_, kNearPort);
    const std::string farLink = linkOf(folder_, kFarPort);
    const std::string ready = folder_ + "/ready";
    // Wine cannot look at the links themselves (they lead to devices), so the
    // shell says when both are there. socat removes them when it ends;
    // `timeout` ends it should a test die without unplugging.
    startShellCommand(
        "rm -f " + ready + " " + nearLink + " " + farLink +
        "; timeout 600 socat pty,raw,echo=0,link=" + nearLink + " pty,raw,echo=0,link=" + farLink +
        " </dev/null >/dev/null 2>&1 & echo $! > " + pidFileOf(folder_) + "; while [ ! -e " +
        nearLink + " ] || [ ! -e " + farLink + " ]; do sleep 0.01; done; touch " + ready);
    ready_ = waitForUnixFile(ready, true, kStartTimeout);
    if (!ready_) {
        problem_ = "socat did not provide both ends of the line in " + folder_;
        unplug();
    }
    return ready_;
}

SerialLine::~SerialLine() {
    unplug();
}

void SerialLine::unplug() {
    const std::string pidFile = pidFileOf(folder_);
    if (folder_.empty() || !unixFileExists(pidFile)) {
        return;
    }
    // The pid file goes once socat has ended and removed its links.
    startShellCommand("kill $(cat " + pidFile + ") 2>/dev/null; while [ -e " +
                      linkOf(folder_, kNearPort) + " ]; do sleep 0.01; done; rm -f " + folder_ +
                      "/ready " + pidFile);
    waitForUnixFile(pidFile, false, kStartTimeout);
}

FarEnd::FarEnd()
    : port_(CreateFileW(deviceOf(SerialLine::kFarPort).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                        nullptr, OPEN_EXISTING, 0, nullptr)) {
    if (port_ == INVALID_HANDLE_VALUE) {
        return;
    }
    // Reads return at once with what is there.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    SetCommTimeouts(port_, &timeouts);
}

FarEnd::~FarEnd() {
    if (port_ != INVALID_HANDLE_VALUE) {
        CloseHandle(port_);
    }
}

bool FarEnd::write(std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(port_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

std::string FarEnd::read(std::size_t count, std::chrono::milliseconds timeout) {
    std::string received;
    pumpMessagesUntil(
        [&] {
            char chunk[4096];
            DWORD got = 0;
            const auto wanted = static_cast<DWORD>(std::min(sizeof chunk, count - received.size()));
            if (ReadFile(port_, chunk, wanted, &got, nullptr) && got > 0) {
                received.append(chunk, got);
            }
            return received.size() >= count;
        },
        timeout);
    return received;
}

DCB reportedState(int number) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    const HANDLE port = CreateFileW(deviceOf(number).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (port != INVALID_HANDLE_VALUE) {
        GetCommState(port, &dcb);
        CloseHandle(port);
    }
    return dcb;
}

}  // namespace vantorix::test
