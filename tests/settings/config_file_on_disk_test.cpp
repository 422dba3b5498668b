// vantorix.cfg on disk: read only when it is a readable regular file, and
// replaced whole, so the user's settings are never lost or damaged.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "settings/config_file.h"
#include "settings/sample_settings.h"
#include "support/unique_folder.h"

namespace vantorix {
namespace {

namespace fs = std::filesystem;
using test::everyFieldChanged;
using test::written;

class ConfigFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override { path = (directory / "vantorix.cfg").string(); }
    // Some tests take the folder's rights away; it is removed with them back.
    void TearDown() override {
        fs::permissions(directory, fs::perms::owner_all, fs::perm_options::add);
    }

    static std::string contentsOf(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string contents() const { return contentsOf(path); }

    // Everything in the folder, so a leftover temporary file shows.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    static RedirectSettings onPort(const char* port) {
        RedirectSettings settings;
        settings.Combo_portselect = port;
        return settings;
    }

    test::UniqueFolder folder{"vantorix-config"};
    const fs::path directory = folder.path();
    std::string path;
};

TEST_F(ConfigFileOnDisk, SavesOverTheOldFileAndLoadsTheSameSettings) {
    ASSERT_TRUE(saveConfigFile(path, onPort("COM2")));
    const RedirectSettings original = everyFieldChanged();
    const SettingsFileResult saved = saveConfigFile(path, original);
    EXPECT_TRUE(saved);
    EXPECT_EQ(saved.problem, "");
    EXPECT_EQ(contents(), written(original));
    RedirectSettings loaded;
    EXPECT_TRUE(loadConfigFile(path, loaded));
    EXPECT_EQ(loaded, original);
    EXPECT_EQ(entries(), std::vector<std::string>{"vantorix.cfg"});
}

TEST_F(ConfigFileOnDisk, AMissingFileKeepsTheDefaultsAndIsNoProblem) {
    RedirectSettings settings;
    const SettingsFileResult loaded = loadConfigFile(path, settings);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(loaded.problem, "");
    EXPECT_EQ(settings, RedirectSettings{});
}

TEST_F(ConfigFileOnDisk, TwoProgramsSavingAtOnceLeaveOneCompleteFile) {
    const RedirectSettings longer = everyFieldChanged();
    const RedirectSettings shorter = onPort("COM2");
    const auto saveMany = [&](const RedirectSettings& settings, int& failed) {
        for (int i = 0; i < 500; ++i) {
            failed += saveConfigFile(path, settings) ? 0 : 1;
        }
    };
    int failedLonger = 0;
    int failedShorter = 0;
    std::thread first(saveMany, std::cref(longer), std::ref(failedLonger));
    std::thread second(saveMany, std::cref(shorter), std::ref(failedShorter));
    first.join();
    second.join();
    EXPECT_EQ(failedLonger + failedShorter, 0);
    const std::string file = contents();
    EXPECT_TRUE(file == written(longer) || file == written(shorter)) << file;
    EXPECT_EQ(entries(), std::vector<std::string>{"vantorix.cfg"});
}

TEST_F(ConfigFileOnDisk, ASymbolicLinkStaysAndTheFileItLeadsToIsReplaced) {
    fs::create_directory(directory / "kept");
    const fs::path target = directory / "kept" / "settings.cfg";
    ASSERT_TRUE(saveConfigFile(target.string(), everyFieldChanged()));
    std::error_code error;
    fs::create_symlink(fs::path("kept") / "settings.cfg", path, error);
    if (error) {
        GTEST_SKIP() << "no symbolic links here: " << error.message();
    }
    ASSERT_TRUE(saveConfigFile(path, onPort("COM4")));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(contentsOf(target), written(onPort("COM4")));
}

TEST_F(ConfigFileOnDisk, TheFileKeepsItsPermissions) {
    ASSERT_TRUE(saveConfigFile(path, everyFieldChanged()));
    const fs::perms ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(path, ownerOnly);
    if (fs::status(path).permissions() != ownerOnly) {
        GTEST_SKIP() << "this file system keeps no such permissions";
    }
    ASSERT_TRUE(saveConfigFile(path, onPort("COM4")));
    EXPECT_EQ(fs::status(path).permissions(), ownerOnly);
}

TEST_F(ConfigFileOnDisk, AFolderInThePlaceOfTheFileIsNeitherReadNorReplaced) {
    fs::create_directory(path);
    ConfigFile file(path);
    RedirectSettings settings = onPort("COM3");
    const SettingsFileResult loaded = file.load(settings);
    EXPECT_FALSE(loaded);
    EXPECT_NE(loaded.problem.find("is a folder"), std::string::npos) << loaded.problem;
    EXPECT_NE(loaded.problem.find(fs::path(path).filename().string()), std::string::npos);
    EXPECT_EQ(settings, onPort("COM3"));

    const SettingsFileResult saved = file.save(everyFieldChanged());
    EXPECT_FALSE(saved);
    EXPECT_FALSE(saved.problem.empty());
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(entries(), std::vector<std::string>{"vantorix.cfg"});
}

TEST_F(ConfigFileOnDisk, AFileThatCannotBeReadIsNotSavedOver) {
    ASSERT_TRUE(saveConfigFile(path, everyFieldChanged()));
    fs::permissions(path, fs::perms::none);
    if (std::ifstream(path).is_open()) {
        fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
        GTEST_SKIP() << "this user may read any file";
    }
    ConfigFile file(path);
    RedirectSettings settings;
    const SettingsFileResult loaded = file.load(settings);
    EXPECT_FALSE(loaded);
    EXPECT_NE(loaded.problem.find("cannot be read"), std::string::npos) << loaded.problem;
    EXPECT_EQ(settings, RedirectSettings{});
    const SettingsFileResult saved = file.save(settings);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(saved.problem.empty());
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(contents(), written(everyFieldChanged()));
}

TEST_F(ConfigFileOnDisk, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    ASSERT_TRUE(saveConfigFile(path, everyFieldChanged()));
    const std::error_code diskFull = std::make_error_code(std::errc::no_space_on_device);
    ConfigFile file(
        path, [&](const fs::path&, const fs::path&, std::error_code& error) { error = diskFull; });
    const SettingsFileResult saved = file.save(onPort("COM2"));
    EXPECT_FALSE(saved);
    EXPECT_NE(saved.problem.find(diskFull.message()), std::string::npos) << saved.problem;
    EXPECT_EQ(contents(), written(everyFieldChanged()));
    EXPECT_EQ(entries(), std::vector<std::string>{"vantorix.cfg"});
}

TEST_F(ConfigFileOnDisk, ASaveIntoAFolderWithoutWriteAccessFailsAndSaysWhy) {
    ASSERT_TRUE(saveConfigFile(path, everyFieldChanged()));
    fs::permissions(directory, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(directory / "probe").is_open()) {
        GTEST_SKIP() << "this user may write into any folder";
    }
    const SettingsFileResult saved = saveConfigFile(path, onPort("COM2"));
    EXPECT_FALSE(saved);
    EXPECT_NE(saved.problem.find(fs::path(path).filename().string()), std::string::npos);
    EXPECT_EQ(contents(), written(everyFieldChanged()));
}

}  // namespace
}  // namespace vantorix
