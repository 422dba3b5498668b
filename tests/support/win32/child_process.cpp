#include "support/win32/child_process.h"

#include "support/win32/message_pump.h"

namespace vantorix::test {
namespace {

constexpr DWORD kPollMs = 5;
constexpr auto kDrainTimeout = std::chrono::seconds(2);

// The events that this process passes on to a child's console reach it too.
BOOL WINAPI ignoreConsoleEvent(DWORD event) {
    return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
}

// Quotes only where a blank needs them: some programs (installers) read an
// argument such as /D=folder only unquoted.
std::wstring quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
        return argument;
    }
    return L"\"" + argument + L"\"";
}

// A pipe whose write end the child inherits.
bool makePipe(HANDLE& read, HANDLE& write) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    if (!CreatePipe(&read, &write, &inherit, 0)) {
        return false;
    }
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    return true;
}

}  // namespace

ChildProcess::ChildProcess(const std::wstring& program, const std::vector<std::wstring>& arguments,
                           const std::wstring& folder) {
    HANDLE outputWrite = nullptr;
    HANDLE errorsWrite = nullptr;
    if (!makePipe(output_.read, outputWrite) || !makePipe(errors_.read, errorsWrite)) {
        return;
    }
    std::wstring commandLine = quoted(program);
    for (const std::wstring& argument : arguments) {
        commandLine += L" " + quoted(argument);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = outputWrite;
    startup.hStdError = errorsWrite;
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW, nullptr, folder.c_str(), &startup, &process_)) {
        process_ = {};
    }
    CloseHandle(outputWrite);
    CloseHandle(errorsWrite);
    startReading(output_);
    startReading(errors_);
}

ChildProcess::~ChildProcess() {
    if (started()) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, INFINITE);
        }
        // What the program wrote before it ended is read first.
        Sleep(kPollMs);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    stopping_ = true;
    for (Stream* stream : {&output_, &errors_}) {
        if (stream->reader.joinable()) {
            stream->reader.join();
        }
        if (stream->read != nullptr) {
            CloseHandle(stream->read);
        }
    }
}

// Polls rather than blocks: under Wine a pipe may stay open after its
// program was ended from outside, and a blocked read would never return.
void ChildProcess::startReading(Stream& stream) {
    stream.reader = std::thread([this, &stream] {
        char chunk[4096];
        while (true) {
            DWORD waiting = 0;
            const bool open = PeekNamedPipe(stream.read, nullptr, 0, nullptr, &waiting, nullptr);
            DWORD got = 0;
            // Once the program has closed its end, what it wrote is still there to read.
            if ((waiting > 0 || !open) &&
                ReadFile(stream.read, chunk, sizeof chunk, &got, nullptr) && got > 0) {
                const std::lock_guard lock(mutex_);
                stream.bytes.append(chunk, got);
            } else if (!open || stopping_) {
                stream.closed = true;
                return;
            } else {
                Sleep(kPollMs);
            }
        }
    });
}

std::string ChildProcess::contentOf(const Stream& stream) const {
    const std::lock_guard lock(mutex_);
    return stream.bytes;
}

std::string ChildProcess::output() const {
    return contentOf(output_);
}

std::string ChildProcess::errors() const {
    return contentOf(errors_);
}

bool ChildProcess::waitFor(const std::function<bool()>& done,
                           std::chrono::milliseconds timeout) const {
    return pumpMessagesUntil(done, timeout);
}

bool ChildProcess::waitForError(const std::string& text, std::chrono::milliseconds timeout) {
    return waitFor([&] { return errors().find(text) != std::string::npos; }, timeout);
}

std::vector<std::string> ChildProcess::readLines(std::size_t count,
                                                 std::chrono::milliseconds timeout) {
    std::vector<std::string> lines;
    waitFor(
        [&] {
            lines.clear();
            const std::string text = output();
            for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
                 start = end + 1) {
                lines.push_back(text.substr(start, end - start));
            }
            return lines.size() >= count;
        },
        timeout);
    return lines;
}

std::optional<DWORD> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    if (!started() ||
        !waitFor([this] { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; },
                 timeout)) {
        return std::nullopt;
    }
    // Everything the program wrote is read once it has closed its ends.
    waitFor([this] { return output_.closed && errors_.closed; }, kDrainTimeout);
    DWORD status = 0;
    GetExitCodeProcess(process_.hProcess, &status);
    return status;
}

bool ChildProcess::sendConsoleEvent(DWORD event) {
    static const bool ignoring = SetConsoleCtrlHandler(ignoreConsoleEvent, TRUE);
    FreeConsole();
    if (!ignoring || !AttachConsole(process_.dwProcessId)) {
        return false;
    }
    const bool sent = GenerateConsoleCtrlEvent(event, 0) != FALSE;
    FreeConsole();
    return sent;
}

std::vector<HWND> ChildProcess::hiddenWindows() const {
    struct Search {
        DWORD process;
        std::vector<HWND> found;
    } search{process_.dwProcessId, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == wanted->process && !IsWindowVisible(window)) {
                wanted->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace vantorix::test
