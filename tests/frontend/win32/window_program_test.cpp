// vantorix.exe and vantorixw.exe with their windows, started in a folder of their own: redirecting
// from the start, ending in order however they are asked to, vantorix.cfg written again byte for
// byte, and the start-up shortcut following "Start Vantorix when computer starts".
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/win32/startup_shortcut_win32.h"
#include "settings/config_file.h"
#include "support/win32/child_process.h"
#include "support/win32/message_pump.h"
#include "support/win32/serial_line.h"
#include "support/win32/shortcut_file.h"
#include "support/win32/unix_side.h"
#include "support/win32/window_probe.h"

namespace vantorix {
namespace {

namespace fs = std::filesystem;
using test::ChildProcess;
using test::SerialLine;

constexpr auto kTimeout = std::chrono::seconds(15);
constexpr const wchar_t* kMainCaption = L"VANTORIX Serial port to keyboard redirection";

std::string contentOf(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// The program's main window, once it is made; shown or not (minimised, it
// may be hidden behind the notification icon).
HWND mainWindowOf(const ChildProcess& process) {
    struct Search {
        DWORD process;
        HWND found = nullptr;
    } search{process.id()};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == wanted->process && test::windowText(window) == kMainCaption) {
                wanted->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A folder of its own with a vantorix.cfg written from the settings.
class ProgramFolder {
  public:
    explicit ProgramFolder(const RedirectSettings& settings) {
        static int count = 0;
        path_ = fs::temp_directory_path() /
                ("vantorix-windows-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++count));
        fs::create_directories(path_);
        saveConfigFile((config()).string(), settings);
    }
    ~ProgramFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }
    fs::path config() const { return path_ / kConfigFileName; }

  private:
    fs::path path_;
};

// The program with its windows, started with --keys print so that what it
// types can be read.
class WindowedProgram {
  public:
    WindowedProgram(const std::string& executable, const RedirectSettings& settings)
        : folder_(settings),
          process_(test::windowsPath(executable), {L"--keys", L"print"}, folder_.path().wstring()) {
    }

    ChildProcess& process() { return process_; }
    const ProgramFolder& folder() const { return folder_; }
    HWND waitForMainWindow() {
        HWND window = nullptr;
        test::pumpMessagesUntil([&] { return (window = mainWindowOf(process_)) != nullptr; },
                                kTimeout);
        return window;
    }

  private:
    ProgramFolder folder_;
    ChildProcess process_;
};

RedirectSettings redirectingAtOnce() {
    RedirectSettings settings;
    settings.Combo_portselect = "COM" + std::to_string(SerialLine::kNearPort);
    settings.Check_startrun = 1;
    settings.Check_ENTER_KEY = 1;
    settings.Text_preamble = "kept,as is \xE9";
    settings.Combo_baud = "19200";
    return settings;
}

struct Ending {
    const char* how;
    void (*ask)(HWND mainWindow, ChildProcess& process);
};

const Ending kEndings[] = {
    {"closing the main window",
     [](HWND window, ChildProcess&) { PostMessageW(window, WM_CLOSE, 0, 0); }},
    {"the end of the session",
     [](HWND, ChildProcess& process) {
         for (const HWND window : process.hiddenWindows()) {
             DWORD_PTR mayEnd = 0;
             SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                                 5000, &mayEnd);
             SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                                 5000, nullptr);
         }
     }},
};

class WindowProgramTest : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override { ASSERT_TRUE(line.isReady()) << line.problem(); }
    SerialLine line;
};

TEST_P(WindowProgramTest, RedirectsFromTheStartAndEndsInOrderWritingTheSettingsAgain) {
    for (const Ending& ending : kEndings) {
        SCOPED_TRACE(ending.how);
        WindowedProgram program(GetParam(), redirectingAtOnce());
        const std::string original = contentOf(program.folder().config());
        const HWND window = program.waitForMainWindow();
        ASSERT_NE(window, nullptr) << program.process().errors();

        test::FarEnd device;
        ASSERT_TRUE(device.write("4+2=6\r"));
        EXPECT_EQ(program.process().readLines(1, kTimeout), std::vector<std::string>{"4{+}2=6~"});
        // Typing shows that start-up is over.
        EXPECT_TRUE(IsIconic(window) || !IsWindowVisible(window))
            << "started redirecting, then out of the way: minimised, or hidden behind the icon";

        fs::remove(program.folder().config());
        ending.ask(window, program.process());
        EXPECT_EQ(program.process().waitForExit(kTimeout), 0U) << program.process().errors();
        EXPECT_EQ(contentOf(program.folder().config()), original);
    }
}

// What the device sends as soon as the line is back waits in the line until
// the program, trying the port once a second under Wine, has reopened it.
TEST_F(WindowProgramTest, APortThatGoesAwayIsWaitedForAndTypesAgainWhenBack) {
    WindowedProgram program(VANTORIX_EXECUTABLE, redirectingAtOnce());
    ASSERT_NE(program.waitForMainWindow(), nullptr) << program.process().errors();
    for (std::size_t cycle = 1; cycle <= 3; ++cycle) {
        SCOPED_TRACE(cycle);
        {
            test::FarEnd device;
            ASSERT_TRUE(device.write("r" + std::to_string(cycle) + "\r"));
        }
        EXPECT_EQ(program.process().readLines(cycle, kTimeout).back(),
                  "r" + std::to_string(cycle) + "~");
        line.unplug();
        ASSERT_TRUE(line.plugIn()) << line.problem();
    }
    PostMessageW(program.waitForMainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.process().waitForExit(kTimeout), 0U) << program.process().errors();
    EXPECT_EQ(program.process().output(), "r1~\nr2~\nr3~\n");
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, WindowProgramTest,
                         ::testing::Values(VANTORIX_EXECUTABLE, VANTORIX_DESKTOP_EXECUTABLE));

TEST(StartupShortcutProgram, FollowsTheBoxAtEveryExit) {
    const fs::path link = win32::startupFolder() / L"vantorixw.lnk";
    for (const int startWithComputer : {1, 0}) {
        RedirectSettings settings;
        settings.Check_startup = startWithComputer;
        WindowedProgram program(VANTORIX_DESKTOP_EXECUTABLE, settings);
        const HWND window = program.waitForMainWindow();
        ASSERT_NE(window, nullptr);
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(program.process().waitForExit(kTimeout), 0U);
        if (startWithComputer == 1) {
            const std::optional<test::ShortcutFile> read = test::readShortcut(link);
            ASSERT_TRUE(read.has_value()) << link;
            EXPECT_EQ(read->target, fs::path(test::windowsPath(VANTORIX_DESKTOP_EXECUTABLE)));
            EXPECT_EQ(read->workingDirectory, program.folder().path())
                << "the folder the program ran in, where its settings are";
        } else {
            EXPECT_FALSE(fs::exists(link));
        }
    }
}

}  // namespace
}  // namespace vantorix
