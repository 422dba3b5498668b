#include "support/win32/unix_side.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/win32/message_pump.h"

namespace vantorix::test {

std::optional<std::string> unixFolder(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value != '/') {
        return std::nullopt;
    }
    return std::string(value);
}

std::wstring windowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (const char c : unixPath) {
        path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return path;
}

bool unixFileExists(const std::string& unixPath) {
    return GetFileAttributesW(windowsPath(unixPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool startShellCommand(const std::string& command) {
    std::wstring commandLine = L"/bin/sh -c \"";
    for (const char c : command) {
        commandLine.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    commandLine += L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Wine runs a Linux program as it is; the handles it gives back for one
    // are of no use, and are not closed.
    return CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process) != FALSE;
}

bool waitForUnixFile(const std::string& unixPath, bool exists, std::chrono::milliseconds timeout) {
    return pumpMessagesUntil([&] { return unixFileExists(unixPath) == exists; }, timeout);
}

namespace {

// A file name of this process's own in /tmp for each call.
std::string scratchFile(const char* suffix) {
    static int count = 0;
    return "/tmp/vantorix-win-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++count) + suffix;
}

}  // namespace

bool runShellCommand(const std::string& command, std::chrono::milliseconds timeout) {
    const std::string done = scratchFile(".done");
    const bool ended = startShellCommand("(" + command + "); touch " + done) &&
                       waitForUnixFile(done, true, timeout);
    DeleteFileW(windowsPath(done).c_str());
    return ended;
}

std::optional<std::string> shellCommandOutput(const std::string& command,
                                              std::chrono::milliseconds timeout) {
    const std::string output = scratchFile(".out");
    std::optional<std::string> text;
    if (runShellCommand("(" + command + ") > " + output, timeout)) {
        std::ifstream file(std::filesystem::path(windowsPath(output)), std::ios::binary);
        std::ostringstream content;
        content << file.rdbuf();
        text = content.str();
    }
    DeleteFileW(windowsPath(output).c_str());
    return text;
}

}  // namespace vantorix::test
