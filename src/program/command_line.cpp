#include "program/command_line.h"

#include <algorithm>
#include <array>

#include "program/option_scanner.h"
#include "settings/redirect_settings.h"

namespace vantorix {
namespace {

constexpr const char* kProgramName = "vantorix";

constexpr const char* kDescription =
    "Types what arrives on a serial port into the window that has the keyboard focus.\n"
    "Settings are read from vantorix.cfg in the working directory.\n";

enum Option : std::size_t {
    kHelp,
    kHelpAll,
    kVersion,
    kHeadless,
    kPort,
    kKeys,
    kSendHotKey,
    kOptionCount
};

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

std::array<OptionSpec, kOptionCount> programOptions(const std::vector<std::string>& keyboards,
                                                    const std::string& defaultRoute) {
    return {{
        {'h', "help", "", "Displays help on commandline options."},
        {'\0', "help-all", "", "Displays the same help as --help."},
        {'v', "version", "", "Displays version information."},
        {'\0', "headless", "", "Redirect without a window until interrupted (SIGINT or SIGTERM)."},
        {'\0', "port", "path",
         "Use the serial device at <path> (or COM1 to COM20) instead of the stored port."},
        {'\0', "keys", "backend",
         "How keys are typed: " + joined(keyboards) + "." +
             (defaultRoute.empty() ? "" : " Here the default is " + defaultRoute + ".") +
             " \"print\" writes each key string to standard output, one line per call."},
        {'\0', "send-hotkey", "n",
         "Ask the Vantorix running with its window to run hot key <n> (1 or 2) as a press "
         "would, then end. Exit status 3: no Vantorix answers; 4: it is not redirecting; 5: that "
         "hot key was not enabled at START; 6: the Vantorix of another user."},
    }};
}

CommandLineResult mistake(std::string message) {
    CommandLineResult result;
    result.exitCode = 2;
    result.outputIsError = true;
    result.output = std::move(message) + "\n";
    return result;
}

CommandLineResult finished(std::string output) {
    CommandLineResult result;
    result.output = std::move(output);
    return result;
}

}  // namespace

CommandLineResult parseCommandLine(const std::vector<std::string>& arguments,
                                   const std::vector<std::string>& keyboardNames,
                                   const std::string& defaultKeyboard,
                                   const std::string& defaultKeyboardRoute) {
    const auto specs = programOptions(keyboardNames, defaultKeyboardRoute);
    const std::span<const std::string> afterName =
        arguments.empty() ? std::span<const std::string>()
                          : std::span<const std::string>(arguments).subspan(1);
    ScannedArguments scanned = scanArguments(specs, afterName);
    if (!scanned.error.empty()) {
        return mistake(scanned.error);
    }
    if (scanned.given[kHelp] || scanned.given[kHelpAll]) {
        const std::string name = arguments.empty() ? kProgramName : arguments.front();
        return finished("Usage: " + name + " [options]\n" + kDescription + "\n" +
                        optionsHelp(specs));
    }
    if (scanned.given[kVersion]) {
        return finished(std::string(kProgramName) + " " + VANTORIX_VERSION + "\n");
    }
    if (!scanned.positional.empty()) {
        return mistake("Unexpected argument: " + scanned.positional.front());
    }
    const std::string keys = scanned.given[kKeys].value_or(defaultKeyboard);
    if (std::find(keyboardNames.begin(), keyboardNames.end(), keys) == keyboardNames.end()) {
        return mistake("Unknown keyboard backend '" + keys +
                       "'; choose one of: " + joined(keyboardNames));
    }

    std::optional<int> sendHotKey;
    if (const auto& hotKey = scanned.given[kSendHotKey]) {
        if (*hotKey != "1" && *hotKey != "2") {
            return mistake("The hot key to send (--send-hotkey) is 1 or 2, not '" + *hotKey + "'.");
        }
        sendHotKey = *hotKey == "1" ? 1 : 2;
    }

    if (scanned.given[kPort]) {
        if (const std::string problem = portNameProblem(*scanned.given[kPort]); !problem.empty()) {
            return mistake("Cannot use that port (--port): " + problem);
        }
    }

    CommandLine options;
    options.headless = scanned.given[kHeadless].has_value();
    options.port = std::move(scanned.given[kPort]);
    options.keys = keys;
    options.sendHotKey = sendHotKey;
    return {options, 0, {}, false};
}

}  // namespace vantorix
