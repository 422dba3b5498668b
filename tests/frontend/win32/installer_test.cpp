// vantorix-setup.exe run silently as a user would from a script: what it installs, the Start-menu
// entry and the entry in Apps & features, the installed program running, and the uninstaller
// taking all of it away again but the user's vantorix.cfg.
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>

#include "support/win32/child_process.h"
#include "support/win32/message_pump.h"
#include "support/win32/shortcut_file.h"
#include "support/win32/unix_side.h"

namespace vantorix {
namespace {

namespace fs = std::filesystem;
using test::ChildProcess;

constexpr auto kTimeout = std::chrono::seconds(60);
constexpr const wchar_t* kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantorix";
const char* const kInstalledFiles[] = {"vantorix.exe", "vantorixw.exe", "vantorix.chm",
                                       "uninstall.exe"};

fs::path knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    fs::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) {
        folder = path;
    }
    CoTaskMemFree(path);
    return folder;
}

std::optional<std::wstring> uninstallValue(const wchar_t* name) {
    wchar_t value[MAX_PATH * 2];
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(value);
}

void writeSettings(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << "kept";
}

class InstallerTest : public ::testing::Test {
  protected:
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(installFolder, ignored);
        fs::remove(dataFolder / "vantorix.cfg", ignored);
    }

    const fs::path installFolder =
        fs::temp_directory_path() / ("vantorix-installed-" + std::to_string(GetCurrentProcessId()));
    const fs::path dataFolder = knownFolder(FOLDERID_LocalAppData) / L"Vantorix";
    const fs::path menuEntry = knownFolder(FOLDERID_Programs) / L"Vantorix.lnk";
};

TEST_F(InstallerTest, InstallsSilentlyAndTheUninstallerKeepsOnlyTheSettings) {
    ChildProcess setup(test::windowsPath(VANTORIX_INSTALLER),
                       {L"/S", L"/D=" + installFolder.wstring()},
                       fs::temp_directory_path().wstring());
    ASSERT_EQ(setup.waitForExit(kTimeout), 0U);
    for (const char* file : kInstalledFiles) {
        EXPECT_TRUE(fs::exists(installFolder / file)) << file;
    }
    const std::optional<test::ShortcutFile> entry = test::readShortcut(menuEntry);
    ASSERT_TRUE(entry.has_value()) << menuEntry;
    EXPECT_EQ(entry->target, installFolder / "vantorixw.exe");
    EXPECT_EQ(entry->workingDirectory, dataFolder) << "a folder of the user's, where settings keep";
    EXPECT_TRUE(fs::is_directory(dataFolder));
    const fs::path uninstaller = installFolder / "uninstall.exe";
    EXPECT_EQ(uninstallValue(L"UninstallString"), L"\"" + uninstaller.wstring() + L"\"");
    EXPECT_EQ(uninstallValue(L"DisplayName"), L"Vantorix");

    ChildProcess installed((installFolder / "vantorix.exe").wstring(), {L"--version"},
                           dataFolder.wstring());
    EXPECT_EQ(installed.waitForExit(kTimeout), 0U);
    EXPECT_EQ(installed.output(), "vantorix 2.04\n");

    // One kept where the Start menu starts the program, one by a user who ran it in place.
    writeSettings(dataFolder / "vantorix.cfg");
    writeSettings(installFolder / "vantorix.cfg");
    // The uninstaller goes on from a copy of itself in the temporary folder;
    // the Apps & features entry is the last thing it removes.
    ChildProcess uninstall(uninstaller.wstring(), {L"/S"}, installFolder.wstring());
    ASSERT_TRUE(test::pumpMessagesUntil(
        [] { return !uninstallValue(L"UninstallString").has_value(); }, kTimeout));
    for (const char* file : kInstalledFiles) {
        EXPECT_FALSE(fs::exists(installFolder / file)) << file;
    }
    EXPECT_FALSE(fs::exists(menuEntry));
    EXPECT_TRUE(fs::exists(dataFolder / "vantorix.cfg"));
    EXPECT_TRUE(fs::exists(installFolder / "vantorix.cfg"));
}

}  // namespace
}  // namespace vantorix
