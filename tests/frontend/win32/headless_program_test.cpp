// vantorix.exe --headless --keys print over a serial line: COM5 of the tests' Wine prefix, joined
// by socat to COM6, where the test plays the device.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "settings/config_file.h"
#include "support/framed_records.h"
#include "support/win32/child_process.h"
#include "support/win32/message_pump.h"
#include "support/win32/serial_line.h"
#include "support/win32/unix_side.h"

namespace vantorix {
namespace {

namespace fs = std::filesystem;
using test::ChildProcess;
using test::FarEnd;
using test::SerialLine;

constexpr auto kTimeout = std::chrono::seconds(10);
const std::wstring kNearPort = L"COM" + std::to_wstring(SerialLine::kNearPort);

std::wstring programPath() {
    return test::windowsPath(VANTORIX_EXECUTABLE);
}

// A folder of its own for each run, with a vantorix.cfg written from the settings.
class ProgramFolder {
  public:
    explicit ProgramFolder(const RedirectSettings& settings) {
        static int count = 0;
        path_ = fs::temp_directory_path() /
                ("vantorix-program-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++count));
        fs::create_directories(path_);
        saveConfigFile((path_ / kConfigFileName).string(), settings);
    }
    ~ProgramFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// `vantorix.exe --headless --keys print` in a folder of its own.
class HeadlessProgram {
  public:
    HeadlessProgram(const RedirectSettings& settings, std::vector<std::wstring> extraArguments)
        : folder_(settings),
          process_(programPath(), arguments(std::move(extraArguments)), folder_.path().wstring()) {}

    ChildProcess& process() { return process_; }
    // Waits until the port is open and the program has said so, to the end of its line.
    bool waitUntilRedirecting() { return process_.waitForError("stop with Ctrl+C.", kTimeout); }

  private:
    static std::vector<std::wstring> arguments(std::vector<std::wstring> extra) {
        std::vector<std::wstring> all{L"--headless", L"--keys", L"print"};
        all.insert(all.end(), extra.begin(), extra.end());
        return all;
    }

    ProgramFolder folder_;
    ChildProcess process_;
};

class HeadlessProgramTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(line.isReady()) << line.problem(); }

    std::vector<std::wstring> onNearEnd() const { return {L"--port", kNearPort}; }

    SerialLine line;
};

TEST_F(HeadlessProgramTest, TypesReceivedTextAsKeyStringsByteForByte) {
    RedirectSettings settings;
    settings.Check_ENTER_KEY = 1;
    HeadlessProgram program(settings, onNearEnd());
    ChildProcess& process = program.process();
    ASSERT_TRUE(program.waitUntilRedirecting()) << process.errors();
    FarEnd device;

    ASSERT_TRUE(device.write("a+b\r\n"));
    EXPECT_EQ(process.readLines(1, kTimeout), std::vector<std::string>{"a{+}b~"});
    ASSERT_TRUE(device.write("x\ty{}\x07\xe9"));
    process.readLines(2, kTimeout);
    EXPECT_EQ(process.output(), "a{+}b~\nx{TAB}y{{}{}}\n") << "no CR LF on Windows either";

    ASSERT_TRUE(process.sendConsoleEvent(CTRL_C_EVENT));
    EXPECT_EQ(process.waitForExit(kTimeout), 0U);
}

TEST_F(HeadlessProgramTest, AppliesTheAdvancedOptionsOfTheConfigurationFile) {
    RedirectSettings settings = test::framedRecordsEndingInCarriageReturn();
    settings.Combo_EOL = ",";
    settings.Check_replacestring = 1;
    settings.Text_searchfor = "kg";
    settings.Text_replacewith = "+";
    HeadlessProgram program(settings, onNearEnd());
    ChildProcess& process = program.process();
    ASSERT_TRUE(program.waitUntilRedirecting()) << process.errors();
    EXPECT_NE(process.errors().find("with advanced options"), std::string::npos);
    FarEnd device;

    ASSERT_TRUE(device.write("12.5KG,"));
    EXPECT_EQ(process.readLines(1, kTimeout), std::vector<std::string>{"{HOME}12.5{+}{ENTER}"});
    ASSERT_TRUE(device.write("7 kg,"));
    EXPECT_EQ(process.readLines(2, kTimeout).back(), "{HOME}7 {+}{ENTER}");
}

TEST_F(HeadlessProgramTest, TheCommandLinePortReplacesTheStoredOne) {
    RedirectSettings settings;
    settings.Combo_portselect = "COM17";  // not mapped in the tests' Wine prefix
    HeadlessProgram program(settings, onNearEnd());
    EXPECT_TRUE(program.waitUntilRedirecting()) << program.process().errors();
}

TEST_F(HeadlessProgramTest, AnUnavailablePortIsReportedWithExitStatusOne) {
    for (const std::string port : {"COM17", "\\\\.\\COM21"}) {
        RedirectSettings settings;
        settings.Combo_portselect = port;
        HeadlessProgram program(settings, {});
        EXPECT_EQ(program.process().waitForExit(kTimeout), 1U) << port;
        const std::string shown = port == "COM17" ? "COM 17" : port;
        EXPECT_NE(program.process().errors().find(
                      "Com Port control: " + shown +
                      " already open or not available. Shutdown any other program that is using "
                      "this port first"),
                  std::string::npos)
            << program.process().errors();
    }
}

// Wine sends no device notice for a mapped port whose pseudo-terminal comes
// back: the return is found by the try once a second.
TEST_F(HeadlessProgramTest, APortThatGoesAwayIsWaitedForAndEachRecordSentWhileThereIsTypedOnce) {
    constexpr std::size_t kCycles = 5;
    RedirectSettings settings;
    settings.Check_ENTER_KEY = 1;
    HeadlessProgram program(settings, onNearEnd());
    ChildProcess& process = program.process();
    ASSERT_TRUE(program.waitUntilRedirecting()) << process.errors();
    const auto saidTimes = [&process](const std::string& text, std::size_t times) {
        return test::pumpMessagesUntil(
            [&] {
                const std::string errors = process.errors();
                std::size_t count = 0;
                for (auto at = errors.find(text); at != std::string::npos;
                     at = errors.find(text, at + 1)) {
                    ++count;
                }
                return count == times;
            },
            kTimeout);
    };
    std::string expected;
    for (std::size_t cycle = 0; cycle < kCycles; ++cycle) {
        SCOPED_TRACE(cycle);
        {
            FarEnd device;
            const std::string record = "r" + std::to_string(cycle);
            ASSERT_TRUE(device.write(record + "\r"));
            ASSERT_EQ(process.readLines(cycle + 1, kTimeout).back(), record + "~");
            expected += record + "~\n";
        }
        line.unplug();
        ASSERT_TRUE(saidTimes("Waiting for COM5 to come back.", cycle + 1)) << process.errors();
        ASSERT_TRUE(line.plugIn()) << line.problem();
        ASSERT_TRUE(saidTimes("COM5 is back; redirecting again.", cycle + 1)) << process.errors();
    }
    line.unplug();
    ASSERT_TRUE(saidTimes("Waiting for COM5 to come back.", kCycles + 1));
    ASSERT_TRUE(process.sendConsoleEvent(CTRL_C_EVENT));
    EXPECT_EQ(process.waitForExit(kTimeout), 0U) << "Ctrl+C while waiting ends in order";
    EXPECT_EQ(process.output(), expected);
}

TEST_F(HeadlessProgramTest, EveryRequestToEndEndsTheRunInOrder) {
    struct Request {
        const char* what;
        std::function<bool(ChildProcess&)> send;
    };
    const Request requests[] = {
        // Wine generates no Ctrl+Break and no console closing for another
        // program; TerminationRequests' own tests cover those.
        {"Ctrl+C", [](ChildProcess& process) { return process.sendConsoleEvent(CTRL_C_EVENT); }},
        {"the end of the session",
         [](ChildProcess& process) {
             const std::vector<HWND> windows = process.hiddenWindows();
             for (const HWND window : windows) {
                 DWORD_PTR mayEnd = 0;
                 SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                     SMTO_ABORTIFHUNG, 5000, &mayEnd);
                 SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                                     SMTO_ABORTIFHUNG, 5000, nullptr);
             }
             return !windows.empty();
         }},
    };
    for (const Request& request : requests) {
        HeadlessProgram program(RedirectSettings{}, onNearEnd());
        ChildProcess& process = program.process();
        ASSERT_TRUE(program.waitUntilRedirecting()) << process.errors();
        ASSERT_TRUE(request.send(process)) << request.what;
        EXPECT_EQ(process.waitForExit(kTimeout), 0U) << request.what << ": " << process.errors();
    }
}

struct OptionsCase {
    std::vector<std::wstring> arguments;
    DWORD status;
    std::string output;  // all of standard output, when not empty
    std::string error;   // a part of standard error
};

TEST(HeadlessProgramOptions, VersionHelpAndMistakes) {
    const OptionsCase cases[] = {
        {{L"--version"}, 0, "vantorix 2.04\n", ""},
        {{L"--keys", L"telepathy"}, 2, "", "telepathy"},
        {{L"--headless", L"stray"}, 2, "", "stray"},
        {{L"--send-hotkey", L"1"}, 2, "", "not needed on Windows"},
    };
    for (const OptionsCase& options : cases) {
        ProgramFolder folder{RedirectSettings{}};
        ChildProcess process(programPath(), options.arguments, folder.path().wstring());
        EXPECT_EQ(process.waitForExit(kTimeout), options.status);
        if (!options.output.empty()) {
            EXPECT_EQ(process.output(), options.output);
        }
        EXPECT_NE(process.errors().find(options.error), std::string::npos)
            << options.error << " in: " << process.errors();
    }

    ProgramFolder folder{RedirectSettings{}};
    ChildProcess help(programPath(), {L"--help"}, folder.path().wstring());
    EXPECT_EQ(help.waitForExit(kTimeout), 0U);
    for (const char* option : {"--port <path>", "--keys <backend>", "none, print, sendinput"}) {
        EXPECT_NE(help.output().find(option), std::string::npos) << option;
    }
    EXPECT_EQ(help.output().find('\r'), std::string::npos);
}

}  // namespace
}  // namespace vantorix
