#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantorix {

// `vantorix --send-hotkey N` asks the running program to run hot key N as a
// press would. The request and its answer are one line each, over a socket
// only the user can open.

// The answer of the running program.
enum class HotKeyRequestAnswer {
    Ran,            // the hot key's action ran
    NotRunning,     // redirection is not running
    NotEnabled,     // that hot key was not enabled when redirection started
    NotUnderstood,  // the request was not "hotkey 1" or "hotkey 2"
    OtherUser,      // the request came from another user
};

std::string hotKeyRequestLine(int hotKey);
// The hot key (1 or 2) a request line asks for; nothing for anything else.
std::optional<int> requestedHotKey(std::string_view line);

// May a hot key run now: only while redirection runs, and only one that was
// registered when redirection started.
HotKeyRequestAnswer decideHotKeyRequest(bool running, bool registered);

std::string answerLine(HotKeyRequestAnswer answer);
// The answer a line holds; nothing when it holds none (the program ended
// before answering, or something else answered).
std::optional<HotKeyRequestAnswer> answerFromLine(std::string_view line);

// The exit statuses of --send-hotkey besides 0 (done) and 2 (a mistake on
// the command line).
inline constexpr int kExitNoProgram = 3;
inline constexpr int kExitNotRunning = 4;
inline constexpr int kExitHotKeyNotEnabled = 5;
inline constexpr int kExitOtherUser = 6;

// How --send-hotkey ends: its exit status and, unless it is 0, what it says
// on standard error.
struct SendHotKeyOutcome {
    int exitStatus = 0;
    std::string message;
};

// The outcome of an answer to a request for `hotKey`; nothing received is
// an answer from no program.
SendHotKeyOutcome sendHotKeyOutcome(std::optional<HotKeyRequestAnswer> answer, int hotKey);
// No program listens where the request goes (`place`, the socket's path).
SendHotKeyOutcome noProgramOutcome(const std::string& place);
// The socket at `place` belongs to another user.
SendHotKeyOutcome otherUserOutcome(const std::string& place);

}  // namespace vantorix
