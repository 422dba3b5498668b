#include "program/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace vantorix {
namespace {

const std::vector<std::string> kKeyboards = {"none", "print", "x11"};

CommandLineResult parse(std::vector<std::string> arguments,
                        const std::vector<std::string>& keyboards = kKeyboards) {
    arguments.insert(arguments.begin(), "vantorix");
    return parseCommandLine(arguments, keyboards, "x11");
}

TEST(CommandLine, MistakesEndTheProgramWithAMessageAndStatusTwo) {
    struct Case {
        std::vector<std::string> arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"--bogus"}, "Unknown option 'bogus'.\n"},
        {{"--bogus=3"}, "Unknown option 'bogus'.\n"},
        {{"--bogus", "--other"}, "Unknown options: bogus, other.\n"},
        {{"--Port", "x"}, "Unknown option 'Port'.\n"},
        {{"-xyz"}, "Unknown options: x, y, z.\n"},
        {{"-port"}, "Unknown option '-port'; did you mean '--port'?\n"},
        {{"-headless"}, "Unknown option '-headless'; did you mean '--headless'?\n"},
        {{"--bogus", "-keys", "x"}, "Unknown option '-keys'; did you mean '--keys'?\n"},
        {{"--port", "COM3\r\n"},
         "Cannot use that port (--port): A port name cannot hold a line break or a null "
         "character.\n"},
        {{"--port", "a,b"}, "Cannot use that port (--port): A port name cannot hold a comma.\n"},
        {{"--port", "--headless=1"},
         "Cannot use that port (--port): The port is COM1 to COM20 or the full path of a device "
         "(beginning with / or \\\\.\\).\n"},
        {{"--port="}, "Cannot use that port (--port): The port name is empty.\n"},
        {{"--port", "ttyUSB0"},
         "Cannot use that port (--port): The port is COM1 to COM20 or the full path of a device "
         "(beginning with / or \\\\.\\).\n"},
        {{"-?"}, "Unknown option '?'.\n"},
        {{"-v-"}, "Unknown option '-'.\n"},
        {{"---x"}, "Unknown option '-x'.\n"},
        {{"--port"}, "Missing value after '--port'.\n"},
        {{"--bogus", "--keys"}, "Missing value after '--keys'.\n"},
        {{"--headless=1"}, "Unexpected value after '--headless'.\n"},
        {{"--bogus", "--headless=1"}, "Unexpected value after '--headless'.\n"},
        {{"-h=1"}, "Unexpected value after '-h'.\n"},
        {{"--version="}, "Unexpected value after '--version'.\n"},
        {{"extra", "another"}, "Unexpected argument: extra\n"},
        {{"-"}, "Unexpected argument: -\n"},
        {{""}, "Unexpected argument: \n"},
        {{"--", "--help"}, "Unexpected argument: --help\n"},
        {{"--keys", "telepathy", "extra"}, "Unexpected argument: extra\n"},
        {{"--keys", "telepathy"},
         "Unknown keyboard backend 'telepathy'; choose one of: none, print, x11\n"},
        {{"--keys="}, "Unknown keyboard backend ''; choose one of: none, print, x11\n"},
        {{"--keys", "print", "--keys", "bogus"},
         "Unknown keyboard backend 'bogus'; choose one of: none, print, x11\n"},
        {{"--keys", "--bogus"},
         "Unknown keyboard backend '--bogus'; choose one of: none, print, x11\n"},
        {{"--send-hotkey", "3"}, "The hot key to send (--send-hotkey) is 1 or 2, not '3'.\n"},
        {{"--send-hotkey=0"}, "The hot key to send (--send-hotkey) is 1 or 2, not '0'.\n"},
        {{"--send-hotkey", "01"}, "The hot key to send (--send-hotkey) is 1 or 2, not '01'.\n"},
        {{"--send-hotkey="}, "The hot key to send (--send-hotkey) is 1 or 2, not ''.\n"},
        {{"--send-hotkey"}, "Missing value after '--send-hotkey'.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const CommandLineResult result = parse(c.arguments);
        EXPECT_FALSE(result.options);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.outputIsError);
        EXPECT_EQ(result.output, c.message);
    }
}

TEST(CommandLine, OptionsTakeTheirValuesAsGiven) {
    struct Case {
        std::vector<std::string> arguments;
        bool headless;
        std::optional<std::string> port;
        std::string keys;
    };
    const Case cases[] = {
        {{}, false, std::nullopt, "x11"},
        {{"--headless", "--port", "/dev/ttyUSB0", "--keys", "print"},
         true,
         "/dev/ttyUSB0",
         "print"},
        {{"--port=COM3", "--keys=none"}, false, "COM3", "none"},
        {{"--port", "a", "--port", "\\\\.\\COM21"}, false, "\\\\.\\COM21", "x11"},
        {{"--keys", "bogus", "--keys", "print", "--headless"}, true, std::nullopt, "print"},
        {{"--headless", "--"}, true, std::nullopt, "x11"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const CommandLineResult result = parse(c.arguments);
        ASSERT_TRUE(result.options) << result.output;
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.output, "");
        EXPECT_EQ(result.options->headless, c.headless);
        EXPECT_EQ(result.options->port, c.port);
        EXPECT_EQ(result.options->keys, c.keys);
    }
}

TEST(CommandLine, SendHotKeyTakesHotKeyOneOrTwo) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<int> sendHotKey;
    };
    const Case cases[] = {
        {{}, std::nullopt},
        {{"--send-hotkey", "1"}, 1},
        {{"--send-hotkey=2"}, 2},
        {{"--send-hotkey", "3", "--send-hotkey", "1"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const CommandLineResult result = parse(c.arguments);
        ASSERT_TRUE(result.options) << result.output;
        EXPECT_EQ(result.options->sendHotKey, c.sendHotKey);
    }
}

TEST(CommandLine, HelpComesBeforeVersionAndBeforeUnusableArguments) {
    struct Case {
        std::vector<std::string> arguments;
        const char* startOfOutput;
    };
    const Case cases[] = {
        {{"-h"}, "Usage: "},
        {{"--help-all"}, "Usage: "},
        {{"--version", "--help"}, "Usage: "},
        {{"-vh"}, "Usage: "},
        {{"extra", "--help", "--keys", "telepathy"}, "Usage: "},
        {{"-v"}, "vantorix " VANTORIX_VERSION "\n"},
        {{"--port=/dev/x", "--version", "extra"}, "vantorix " VANTORIX_VERSION "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const CommandLineResult result = parse(c.arguments);
        EXPECT_FALSE(result.options);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_FALSE(result.outputIsError);
        EXPECT_EQ(result.output.rfind(c.startOfOutput, 0), 0u) << result.output;
    }
}

TEST(CommandLine, HelpListsTheOptionsWithTheirDescriptionsWrapped) {
    const CommandLineResult result =
        parseCommandLine({"src/vantorix", "--help"}, kKeyboards, "x11");
    EXPECT_EQ(result.output,
              "Usage: src/vantorix [options]\n"
              "Types what arrives on a serial port into the window that has the keyboard focus.\n"
              "Settings are read from vantorix.cfg in the working directory.\n"
              "\n"
              "Options:\n"
              "  -h, --help         Displays help on commandline options.\n"
              "  --help-all         Displays the same help as --help.\n"
              "  -v, --version      Displays version information.\n"
              "  --headless         Redirect without a window until interrupted (SIGINT or\n"
              "                     SIGTERM).\n"
              "  --port <path>      Use the serial device at <path> (or COM1 to COM20) instead\n"
              "                     of the stored port.\n"
              "  --keys <backend>   How keys are typed: none, print, x11. \"print\" writes each\n"
              "                     key string to standard output, one line per call.\n"
              "  --send-hotkey <n>  Ask the Vantorix running with its window to run hot key\n"
              "                     <n> (1 or 2) as a press would, then end. Exit status 3: no\n"
              "                     Vantorix answers; 4: it is not redirecting; 5: that hot\n"
              "                     key was not enabled at START; 6: the Vantorix of another\n"
              "                     user.\n");
}

TEST(CommandLine, HelpNamesHowTheDefaultBackendTypesHere) {
    const CommandLineResult result = parseCommandLine({"vantorix", "--help"}, kKeyboards, "wayland",
                                                      "wayland, through the GNOME remote desktop");
    std::string help = result.output;
    std::replace(help.begin(), help.end(), '\n', ' ');
    help.erase(
        std::unique(help.begin(), help.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
        help.end());
    EXPECT_NE(help.find("Here the default is wayland, through the GNOME remote desktop."),
              std::string::npos)
        << result.output;
}

TEST(CommandLine, HelpLinesStayWithinSeventyNineColumnsWhateverTheBackends) {
    const std::vector<std::string> many = {"none", "print", "x11", "wayland-virtual-keyboard",
                                           "an-extraordinarily-long-backend-name-to-wrap"};
    const CommandLineResult result = parse({"--help"}, many);
    std::istringstream lines(result.output.substr(result.output.find("Options:\n")));
    std::string keysDescription;
    bool inKeys = false;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 79u) << line;
        inKeys = line.starts_with("  --keys <backend>   ") ||
                 (inKeys && line.starts_with("    ") && !line.starts_with("  --"));
        if (inKeys) {
            EXPECT_NE(line[21], ' ') << "descriptions start in one column: " << line;
            keysDescription += (keysDescription.empty() ? "" : " ") + line.substr(21);
        }
    }
    EXPECT_EQ(keysDescription,
              "How keys are typed: none, print, x11, wayland-virtual-keyboard, "
              "an-extraordinarily-long-backend-name-to-wrap. \"print\" writes each key string to "
              "standard output, one line per call.");
}

}  // namespace
}  // namespace vantorix
