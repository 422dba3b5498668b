#include "platform/posix/form_library.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/fake_message_boxes.h"

namespace vantorix {
namespace {

namespace fs = std::filesystem;
using test::FakeMessageBoxes;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A fresh folder of its own for each test, removed afterwards.
class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "vantorix-autostart-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

class StartupLinkTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(home.path().empty()) << "no temporary folder"; }

    fs::path autostart() const { return home.path() / "config" / "autostart"; }
    // Started in its own folder unless told otherwise.
    Form_LIBRARY link(const fs::path& executable = "/opt/vantorix/bin/vantorix",
                      const fs::path& workingFolder = {}) {
        return Form_LIBRARY(autostart(), executable,
                            workingFolder.empty() ? executable.parent_path() : workingFolder,
                            messages);
    }

    TemporaryFolder home;
    FakeMessageBoxes messages;
};

TEST(AutostartFolder, FollowsXdgConfigHomeElseTheHomeConfigFolder) {
    EXPECT_EQ(autostartFolder("/x/conf", "/home/ann"), fs::path("/x/conf/autostart"));
    EXPECT_EQ(autostartFolder(nullptr, "/home/ann"), fs::path("/home/ann/.config/autostart"));
    EXPECT_EQ(autostartFolder("", "/home/ann"), fs::path("/home/ann/.config/autostart"));
    // Relative paths in XDG variables are to be ignored.
    EXPECT_EQ(autostartFolder("conf", "/home/ann"), fs::path("/home/ann/.config/autostart"));
    EXPECT_TRUE(autostartFolder(nullptr, nullptr).empty());
    EXPECT_TRUE(autostartFolder("", "relative").empty());
}

TEST(AutostartFolder, IsReadFromTheEnvironment) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("XDG_CONFIG_HOME", "/tmp/vantorix-conf", 1);
    EXPECT_EQ(autostartFolderFromEnvironment(), fs::path("/tmp/vantorix-conf/autostart"));
    if (saved != nullptr) {
        setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

TEST(DesktopEntryQuoting, QuotesOnlyArgumentsWithReservedCharacters) {
    EXPECT_EQ(execArgument("/usr/bin/vantorix"), "/usr/bin/vantorix");
    EXPECT_EQ(execArgument("/opt/my tools/vantorix"), "\"/opt/my tools/vantorix\"");
    EXPECT_EQ(execArgument("/opt/a(1)/v"), "\"/opt/a(1)/v\"");
    // In quotes \ " ` $ take a backslash, which the string value doubles again;
    // a percent sign is doubled so that it is no field code.
    EXPECT_EQ(execArgument("/a b/$x\"y\\z`%"), "\"/a b/\\\\$x\\\\\"y\\\\\\\\z\\\\`%%\"");
    EXPECT_EQ(execArgument("/opt/50%/v"), "/opt/50%%/v");
}

TEST(DesktopEntryQuoting, EscapesStringValues) {
    EXPECT_EQ(desktopEntryString("/opt/my tools"), "/opt/my tools");
    EXPECT_EQ(desktopEntryString(" lead"), "\\slead");
    EXPECT_EQ(desktopEntryString("a\\b\tc\nd"), "a\\\\b\\tc\\nd");
}

TEST_F(StartupLinkTest, CreatesTheEntryNamedAfterTheExecutable) {
    link().Create_startup_link();
    EXPECT_EQ(readFile(autostart() / "vantorix.desktop"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=vantorix\n"
              "Exec=/opt/vantorix/bin/vantorix\n"
              "Path=/opt/vantorix/bin\n");
    EXPECT_TRUE(messages.shown.empty());
    // Nothing but the entry: no temporary file left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(autostart()), fs::directory_iterator()), 1);
}

TEST_F(StartupLinkTest, AnExecutableUnderAnotherNameGetsAnEntryOfThatName) {
    link("/srv/tools/serial-typer.bin").Create_startup_link();
    EXPECT_FALSE(fs::exists(autostart() / "vantorix.desktop"));
    EXPECT_EQ(readFile(autostart() / "serial-typer.desktop"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=serial-typer\n"
              "Exec=/srv/tools/serial-typer.bin\n"
              "Path=/srv/tools\n");
}

TEST_F(StartupLinkTest, StartsTheProgramInTheFolderOfItsSettings) {
    link("/usr/bin/vantorix", "/home/ann").Create_startup_link();
    EXPECT_EQ(readFile(autostart() / "vantorix.desktop"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=vantorix\n"
              "Exec=/usr/bin/vantorix\n"
              "Path=/home/ann\n");
}

TEST_F(StartupLinkTest, QuotesAProgramFolderWithBlanks) {
    link("/home/ann/my tools/vantorix").Create_startup_link();
    EXPECT_EQ(readFile(autostart() / "vantorix.desktop"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=vantorix\n"
              "Exec=\"/home/ann/my tools/vantorix\"\n"
              "Path=/home/ann/my tools\n");
}

TEST_F(StartupLinkTest, OverwritesAnEntryAlreadyThereWithoutAWord) {
    fs::create_directories(autostart());
    writeFile(autostart() / "vantorix.desktop",
              "[Desktop Entry]\nExec=/old/place/vantorix\n"
              "Path=/old/place\nHidden=true\nComment=stale\n");
    writeFile(autostart() / "other.desktop", "[Desktop Entry]\nExec=other\n");
    link().Create_startup_link();
    EXPECT_EQ(readFile(autostart() / "vantorix.desktop"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=vantorix\n"
              "Exec=/opt/vantorix/bin/vantorix\n"
              "Path=/opt/vantorix/bin\n");
    EXPECT_EQ(readFile(autostart() / "other.desktop"), "[Desktop Entry]\nExec=other\n");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartupLinkTest, SaysUnableToCreateShortcutWhenTheFolderCannotBeMade) {
    // A file where the autostart folder should be: no folder can be made there.
    fs::create_directories(autostart().parent_path());
    writeFile(autostart(), "in the way");
    link().Create_startup_link();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Unable to create shortcut");
    EXPECT_EQ(messages.shown[0].title, "Vantorix");
    EXPECT_EQ(readFile(autostart()), "in the way");
}

TEST_F(StartupLinkTest, SaysUnableToCreateShortcutWhenTheEntryCannotBeWritten) {
    // A folder of the entry's name: the entry cannot replace it.
    fs::create_directories(autostart() / "vantorix.desktop" / "inside");
    link().Create_startup_link();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Unable to create shortcut");
    EXPECT_TRUE(fs::is_directory(autostart() / "vantorix.desktop" / "inside"));
    EXPECT_FALSE(fs::exists(autostart() / "vantorix.desktop.new"));
}

TEST_F(StartupLinkTest, SaysUnableToCreateShortcutWithoutAnyConfigFolder) {
    Form_LIBRARY nowhere({}, "/opt/vantorix/bin/vantorix", "/opt/vantorix/bin", messages);
    nowhere.Create_startup_link();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Unable to create shortcut");
    nowhere.Delete_startup_link();
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(StartupLinkTest, DeletesTheEntryAndNothingElse) {
    link().Create_startup_link();
    writeFile(autostart() / "other.desktop", "[Desktop Entry]\nExec=other\n");
    link().Delete_startup_link();
    EXPECT_FALSE(fs::exists(autostart() / "vantorix.desktop"));
    EXPECT_TRUE(fs::exists(autostart() / "other.desktop"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartupLinkTest, AMissingEntryOrFolderIsNoError) {
    link().Delete_startup_link();
    EXPECT_FALSE(fs::exists(autostart()));
    fs::create_directories(autostart());
    link().Delete_startup_link();
    EXPECT_TRUE(fs::is_directory(autostart()));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartupLinkTest, AnEntryThatCannotBeDeletedPassesSilently) {
    fs::create_directories(autostart() / "vantorix.desktop" / "inside");
    link().Delete_startup_link();
    EXPECT_TRUE(fs::exists(autostart() / "vantorix.desktop" / "inside"));
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace vantorix
