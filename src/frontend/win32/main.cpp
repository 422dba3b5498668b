#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/win32/headless_run.h"
#include "frontend/win32/keyboard_choice.h"
#include "frontend/win32/window_session.h"
#include "platform/win32/wide_text.h"
#include "program/command_line.h"

namespace {

constexpr const char* kTypingOff =
    "Typing is switched off (--keys none). Received text is not typed; --keys print shows the "
    "keys on standard output.";

// Windows lets the program hold its hot keys itself, whichever window has
// the focus, so no other program needs to ask for them.
constexpr const char* kSendHotKeyNotNeeded =
    "--send-hotkey is not needed on Windows: the hot keys work in every program while "
    "redirection runs.";
constexpr int kExitCommandLineMistake = 2;

std::vector<std::string> programArguments(int argc, wchar_t* argv[]) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(vantorix::win32::narrow(argv[i]));
    }
    return arguments;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    // What goes to standard output (help, version, the key strings of --keys
    // print) is written byte for byte as on Linux, lines ended by a line feed,
    // whether it is a console, a pipe or a file.
    _setmode(_fileno(stdout), _O_BINARY);
    const vantorix::CommandLineResult parsed = vantorix::parseCommandLine(
        programArguments(argc, argv), vantorix::win32::keyboardBackendNames(),
        vantorix::win32::kDefaultKeyboardBackend);
    if (!parsed.options) {
        (parsed.outputIsError ? std::cerr : std::cout) << parsed.output << std::flush;
        return parsed.exitCode;
    }
    const vantorix::CommandLine& options = *parsed.options;
    if (options.sendHotKey) {
        std::cerr << kSendHotKeyNotNeeded << std::endl;
        return kExitCommandLineMistake;
    }
    if (options.keys == "none") {
        std::cerr << kTypingOff << std::endl;
    }
    // Where the keyboard tells of a window that drops its keys: set by the
    // run below, which knows whether there is a notification area to say it in.
    vantorix::win32::ElevatedWindowWatch::Say sayRefused;
    const std::unique_ptr<vantorix::Keyboard> keyboard = vantorix::win32::makeKeyboard(
        options.keys, std::cout, [&sayRefused](std::string_view message) {
            if (sayRefused) {
                sayRefused(message);
            }
        });
    if (options.headless) {
        sayRefused = [](std::string_view message) { std::cerr << message << std::endl; };
        return vantorix::win32::runHeadless(options, *keyboard, std::cerr);
    }
    return vantorix::win32::runWithWindows(options, *keyboard, sayRefused);
}
