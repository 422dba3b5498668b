#include "platform/win32/startup_shortcut_win32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "support/fake_message_boxes.h"
#include "support/win32/shortcut_file.h"

namespace vantorix::win32 {
namespace {

namespace fs = std::filesystem;

class StartupShortcutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("vantorix-startup-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(folder / "Startup");
        fs::create_directories(folder / "work");
    }
    void TearDown() override { fs::remove_all(folder); }

    Form_LIBRARY shortcutFor(const fs::path& executable, const fs::path& startup) {
        return Form_LIBRARY(startup, executable, folder / "work", messages);
    }

    fs::path folder;
    test::FakeMessageBoxes messages;
};

TEST_F(StartupShortcutTest, IsNamedAfterTheExecutableAndStartsItInTheWorkingFolder) {
    for (const fs::path& executable :
         {fs::path(L"C:\\Program Files\\Vantorix\\vantorixw.exe"),
          fs::path(L"D:\\tools\\caisse \u00e9t\u00e9 2\\other name.exe")}) {
        Form_LIBRARY shortcut = shortcutFor(executable, folder / "Startup");
        shortcut.Create_startup_link();
        const fs::path link = folder / "Startup" / executable.stem().concat(L".lnk");
        EXPECT_EQ(shortcut.shortcutPath(), link);
        const std::optional<test::ShortcutFile> read = test::readShortcut(link);
        ASSERT_TRUE(read.has_value()) << link;
        EXPECT_EQ(read->target, executable);
        EXPECT_EQ(read->workingDirectory, folder / "work");
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(StartupShortcutTest, WritingItAgainReplacesItSilently) {
    Form_LIBRARY first = shortcutFor(L"C:\\old\\vantorix.exe", folder / "Startup");
    first.Create_startup_link();
    Form_LIBRARY second = shortcutFor(L"C:\\new\\vantorix.exe", folder / "Startup");
    second.Create_startup_link();
    EXPECT_EQ(test::readShortcut(second.shortcutPath())->target,
              fs::path(L"C:\\new\\vantorix.exe"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartupShortcutTest, DeletingRemovesItAndAMissingOneIsNoError) {
    Form_LIBRARY shortcut = shortcutFor(L"C:\\p\\vantorix.exe", folder / "Startup");
    shortcut.Create_startup_link();
    ASSERT_TRUE(fs::exists(shortcut.shortcutPath()));
    shortcut.Delete_startup_link();
    EXPECT_FALSE(fs::exists(shortcut.shortcutPath()));
    shortcut.Delete_startup_link();
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartupShortcutTest, AFolderItCannotBeWrittenToIsReported) {
    for (const fs::path& startup : {folder / "no such folder", fs::path()}) {
        messages.shown.clear();
        Form_LIBRARY shortcut = shortcutFor(L"C:\\p\\vantorix.exe", startup);
        shortcut.Create_startup_link();
        ASSERT_EQ(messages.shown.size(), 1U) << startup;
        EXPECT_EQ(messages.shown[0].text, "Unable to create shortcut");
        EXPECT_EQ(messages.shown[0].title, "Vantorix");
        shortcut.Delete_startup_link();
        EXPECT_EQ(messages.shown.size(), 1U) << "deleting never reports";
    }
}

TEST(StartupFolder, IsTheUsersOwn) {
    const fs::path startup = startupFolder();
    EXPECT_TRUE(fs::is_directory(startup)) << startup;
    // File names are told apart regardless of letter case (Wine writes "StartUp").
    EXPECT_EQ(_wcsicmp(startup.filename().c_str(), L"Startup"), 0) << startup;
}

}  // namespace
}  // namespace vantorix::win32
