#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <QCheckBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "frontend/qt/form1.h"
#include "frontend/qt/window_session.h"
#include "platform/posix/form_library.h"
#include "support/fake_desktop.h"
#include "support/fake_keyboard.h"
#include "support/fake_message_boxes.h"

namespace vantorix {
namespace {

namespace fs = std::filesystem;
using namespace test;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The main window with the real start-up entry, kept in a folder of the test's own.
class StartupLinkAtExit : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(config.isValid());
        windows.session().Form_Load("help.html", std::nullopt);
    }

    fs::path autostart() const { return fs::path(config.path().toStdString()) / "autostart"; }
    fs::path entry() const { return autostart() / "vantorix.desktop"; }

    QTemporaryDir config;
    Journal journal;
    RedirectSettings settings;
    FakeKeyboard keyboard;
    FakeSettingsFile file{journal};
    FakeHotKeys hotKeys{journal};
    FakeIcon icon{journal};
    FakeMessageBoxes messages;
    Form_LIBRARY shortcut{autostart(), "/opt/vantorix/bin/vantorix", "/opt/vantorix/bin", messages};
    InertUrlOpener browser;
    QtWindowSession windows{settings, {keyboard, file, hotKeys, icon, shortcut, messages, browser}};
    FORM1& form = windows.form();
};

TEST_F(StartupLinkAtExit, TheBoxTickedAtExitMakesTheEntry) {
    form.Check_startup->setChecked(true);
    windows.session().prepareForExitNow();
    EXPECT_EQ(readFile(entry()),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=vantorix\n"
              "Exec=/opt/vantorix/bin/vantorix\n"
              "Path=/opt/vantorix/bin\n");
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_TRUE(file.stored.has_value());
    EXPECT_EQ(file.stored->Check_startup, 1);
}

TEST_F(StartupLinkAtExit, TheBoxClearAtExitRemovesTheEntry) {
    form.Check_startup->setChecked(true);
    shortcut.Create_startup_link();
    ASSERT_TRUE(fs::exists(entry()));
    form.Check_startup->setChecked(false);
    windows.session().prepareForExitNow();
    EXPECT_FALSE(fs::exists(entry()));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartupLinkAtExit, TheBoxClearWithNoEntryIsSilent) {
    windows.session().prepareForExitNow();
    EXPECT_FALSE(fs::exists(entry()));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(journal.back(), "icon:remove");
}

TEST_F(StartupLinkAtExit, OnlyTheStateAtExitCounts) {
    form.Check_startup->setChecked(true);
    form.Check_startup->setChecked(false);
    form.Check_startup->setChecked(true);
    EXPECT_FALSE(fs::exists(entry()));
    windows.session().prepareForExitNow();
    EXPECT_TRUE(fs::exists(entry()));
}

TEST_F(StartupLinkAtExit, AnEntryThatCannotBeMadeIsReportedAndTheExitGoesOn) {
    std::ofstream(autostart(), std::ios::binary) << "in the way";
    form.Check_startup->setChecked(true);
    windows.session().prepareForExitNow();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Unable to create shortcut");
    EXPECT_EQ(messages.shown[0].title, "Vantorix");
    // Saved before, the icon removed after.
    EXPECT_EQ(journal, (Journal{"icon:place idle", "file:load", "file:save", "icon:remove"}));
}

}  // namespace
}  // namespace vantorix
