#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantorix {

// What the user asked for on the command line.
struct CommandLine {
    bool headless = false;
    std::optional<std::string> port;  // --port PATH: replaces the stored port
    std::string keys;                 // --keys BACKEND: which keyboard types the keys
    // --send-hotkey N: ask the running program to run hot key N, then end.
    std::optional<int> sendHotKey;
};

// Said on standard error when --keys print has nowhere to write the keys
// (standard output closed at start, full, or its reader gone); the program
// then ends with exit status 2.
inline constexpr const char* kKeysOutputFailedMessage =
    "Cannot write the keys to standard output (--keys print): it is closed or full, or "
    "nothing reads it any more.";
inline constexpr int kExitKeysOutputFailed = 2;

struct CommandLineResult {
    std::optional<CommandLine> options;  // empty when the program should end now
    int exitCode = 0;
    std::string output;  // what to print (help, version or the error)
    bool outputIsError = false;
};

// Reads the arguments (the program name first). `keyboardNames` are the
// --keys backends this build offers, `defaultKeyboard` the one used without
// --keys, and `defaultKeyboardRoute`, where not empty, says in --help how that
// one types on this desktop. --help and --version end the program with their text on standard
// output; a mistake ends it with a message on standard error and exit status 2.
CommandLineResult parseCommandLine(const std::vector<std::string>& arguments,
                                   const std::vector<std::string>& keyboardNames,
                                   const std::string& defaultKeyboard,
                                   const std::string& defaultKeyboardRoute = {});

}  // namespace vantorix
