#include "platform/win32/file_mover.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/config_file.h"

namespace vantorix::win32 {
namespace {

namespace fs = std::filesystem;

class FileMoverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder =
            fs::temp_directory_path() / ("vantorix-mover-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    void write(const fs::path& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }
    std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path folder;
};

TEST_F(FileMoverTest, TheNewFileTakesThePlaceOfTheOld) {
    for (const bool oldFileThere : {true, false}) {
        const fs::path target = folder / "vantorix.cfg";
        fs::remove(target);
        if (oldFileThere) {
            write(target, "old");
        }
        write(folder / "vantorix.cfg.new", "new");
        std::error_code error = std::make_error_code(std::errc::io_error);
        moveFileWriteThrough(folder / "vantorix.cfg.new", target, error);
        EXPECT_FALSE(error) << error.message();
        EXPECT_EQ(read(target), "new");
        EXPECT_FALSE(fs::exists(folder / "vantorix.cfg.new"));
    }
}

TEST_F(FileMoverTest, AFailedMoveSaysWhyAndLeavesTheOldFile) {
    write(folder / "vantorix.cfg", "old");
    std::error_code error;
    moveFileWriteThrough(folder / "missing.new", folder / "vantorix.cfg", error);
    EXPECT_EQ(error.value(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(read(folder / "vantorix.cfg"), "old");

    write(folder / "other.new", "new");
    moveFileWriteThrough(folder / "other.new", folder / "no-such-folder" / "vantorix.cfg", error);
    EXPECT_TRUE(error);
}

TEST_F(FileMoverTest, TheSettingsFileIsSavedOverTheOldOneThroughIt) {
    const std::string path = (folder / kConfigFileName).string();
    write(path, "COM1\r\n");
    RedirectSettings settings;
    settings.Combo_portselect = "COM7";
    settings.Text_preamble = "{HOME}";
    ConfigFile file(path, moveFileWriteThrough);
    const SettingsFileResult saved = file.save(settings);
    ASSERT_TRUE(saved) << saved.problem;

    RedirectSettings loaded;
    EXPECT_TRUE(loadConfigFile(path, loaded));
    EXPECT_EQ(loaded, settings);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

}  // namespace
}  // namespace vantorix::win32
