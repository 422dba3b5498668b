#include "settings/config_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vantorix {
namespace {

std::string written(const RedirectSettings& settings) {
    std::ostringstream out;
    writeConfig(out, settings);
    return out.str();
}

RedirectSettings readFrom(const std::string& content, RedirectSettings settings = {}) {
    std::istringstream in(content);
    readConfig(in, settings);
    return settings;
}

std::string lines(std::initializer_list<std::string> values) {
    std::string text;
    for (const std::string& value : values) {
        text += value + "\r\n";
    }
    return text;
}

RedirectSettings everyFieldChanged() {
    RedirectSettings s;
    s.Combo_portselect = "COM20";
    s.Combo_baud = "115200";
    s.Combo_parity = "Space";
    s.Combo_stop = "2";
    s.Combo_length = "5 bits";
    s.Combo_handshake = "RTS XonXoff";
    s.Check_ENTER_KEY = 1;
    s.Check_LF_KEY = 2;
    s.Combo_EOL = ",";
    s.Text_preamble = "a,b{HOME}";
    s.Text_postamble = "{ENTER},,";
    s.Text_searchfor = "{13}";
    s.Text_replacewith = " \"quoted\" ";
    s.Check_preamble = 1;
    s.Check_postamble = 1;
    s.Check_replacestring = 1;
    s.Check_startup = 1;
    s.Check_startrun = 1;
    s.Combo_hotkey1 = "Shift+F11";
    s.Combo_hotkey2 = "Ctrl+F7";
    s.Text_hotkey1 = "\xe9t\xe9{13}";
    s.Text_hotkey2 = "x,y";
    s.Check_enablehotkey1 = 1;
    s.Check_enablehotkey2 = 1;
    return s;
}

TEST(ConfigFile, WritesTheDocumentedExample) {
    RedirectSettings s;
    s.Combo_portselect = "COM3";
    s.Check_ENTER_KEY = 1;
    EXPECT_EQ(written(s), lines({"COM3", "9600", "None", "1",      "8 bits", "None", "1", "0",
                                 "CR",   "",     "",     "",       "",       "0",    "0", "0",
                                 "0",    "0",    "F2",   "Alt+F2", "",       "",     "0", "0"}));
}

TEST(ConfigFile, EveryFieldSurvivesARoundTrip) {
    const RedirectSettings original = everyFieldChanged();
    const std::string file = written(original);
    EXPECT_EQ(file.find(','), std::string::npos) << "commas are stored as {c}";
    EXPECT_EQ(readFrom(file), original);
    EXPECT_NE(file.find("a{c}b{HOME}\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\n{c}\r\n"), std::string::npos) << "the end-of-line choice ','";
}

TEST(ConfigFile, StoredBracesCReadBackAsACommaEvenWhenTheUserTypedThem) {
    RedirectSettings s;
    s.Text_preamble = "x{c}y";
    EXPECT_EQ(readFrom(written(s)).Text_preamble, "x,y");
}

TEST(ConfigFile, AShortFileFillsOnlyTheFieldsItHas) {
    RedirectSettings expected = everyFieldChanged();
    std::string file = written(expected);
    std::size_t end = 0;
    for (int line = 0; line < 18; ++line) {
        end = file.find("\r\n", end) + 2;
    }
    const RedirectSettings read = readFrom(file.substr(0, end));
    const RedirectSettings defaults;
    expected.Combo_hotkey1 = defaults.Combo_hotkey1;
    expected.Combo_hotkey2 = defaults.Combo_hotkey2;
    expected.Text_hotkey1 = expected.Text_hotkey2 = "";
    expected.Check_enablehotkey1 = expected.Check_enablehotkey2 = 0;
    EXPECT_EQ(read, expected);
}

TEST(ConfigFile, LinesAfterTheLastRecordAreIgnored) {
    const RedirectSettings original = everyFieldChanged();
    EXPECT_EQ(readFrom(written(original) + "COM5\r\nextra\r\n"), original);
}

TEST(ConfigFile, ValuesThatFitNoFieldLeaveItAsItWas) {
    const RedirectSettings read = readFrom(
        lines({"COM99", "12345", "none", "3",  "8bits", "RTS", "x", "3",   "LF", "pre",
               "",      "",      "",     "-1", "1.5",   "",    "",  " 1 ", "F1", "Alt+F12"}),
        [] {
            RedirectSettings before;
            before.Combo_parity = "Odd";
            return before;
        }());
    const RedirectSettings defaults;
    EXPECT_EQ(read.Combo_portselect, "COM1");
    EXPECT_EQ(read.Combo_baud, "9600");
    EXPECT_EQ(read.Combo_parity, "Odd") << "choices match their items exactly";
    EXPECT_EQ(read.Combo_stop, "1");
    EXPECT_EQ(read.Combo_length, "8 bits");
    EXPECT_EQ(read.Combo_handshake, "RTS");
    EXPECT_EQ(read.Check_ENTER_KEY, 0);
    EXPECT_EQ(read.Check_LF_KEY, 0);
    EXPECT_EQ(read.Combo_EOL, "CR");
    EXPECT_EQ(read.Text_preamble, "pre");
    EXPECT_EQ(read.Check_preamble, 0);
    EXPECT_EQ(read.Check_postamble, 0);
    EXPECT_EQ(read.Check_replacestring, 0);
    EXPECT_EQ(read.Check_startrun, 1) << "blanks around a check digit are fine";
    EXPECT_EQ(read.Combo_hotkey1, defaults.Combo_hotkey1);
    EXPECT_EQ(read.Combo_hotkey2, defaults.Combo_hotkey2);
}

TEST(ConfigFile, CheckValueTwoIsKeptButCountsAsOff) {
    RedirectSettings s = readFrom(lines({"", "", "", "", "", "", "2"}));
    EXPECT_EQ(s.Check_ENTER_KEY, 2);
    EXPECT_FALSE(isOn(s.Check_ENTER_KEY));
}

TEST(ConfigFile, AHandEditedCommaShiftsEveryLaterRecord) {
    const RedirectSettings read =
        readFrom(lines({"COM2", "19200,Even", "1", "8 bits", "None", "1"}));
    EXPECT_EQ(read.Combo_baud, "19200");
    EXPECT_EQ(read.Combo_parity, "Even");
    EXPECT_EQ(read.Combo_stop, "1");
    EXPECT_EQ(read.Combo_length, "8 bits");
    EXPECT_EQ(read.Combo_handshake, "None");
    EXPECT_EQ(read.Check_ENTER_KEY, 1);
}

TEST(ConfigFile, BlanksBeforeChoicesAreSkippedButTextsKeepThem) {
    const RedirectSettings read =
        readFrom(lines({"  COM4", "", "", "", "", "", "", "", "  TAB", " pre"}));
    EXPECT_EQ(read.Combo_portselect, "COM4");
    EXPECT_EQ(read.Combo_EOL, "TAB");
    EXPECT_EQ(read.Text_preamble, " pre");
}

TEST(ConfigFile, AcceptsDevicePathsAndOtherLineEnds) {
    const RedirectSettings read = readFrom("/dev/ttyUSB0\n115200\rEven\n");
    EXPECT_EQ(read.Combo_portselect, "/dev/ttyUSB0");
    EXPECT_EQ(read.Combo_baud, "115200");
    EXPECT_EQ(read.Combo_parity, "Even");
    EXPECT_EQ(readFrom("COM7").Combo_portselect, "COM7") << "last line without its line end";
}

class ConfigFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        directory = std::filesystem::temp_directory_path() /
                    (std::string("vantorix-config-") +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(directory);
        std::filesystem::create_directories(directory);
        path = (directory / "vantorix.cfg").string();
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    std::string contents() const {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path directory;
    std::string path;
};

TEST_F(ConfigFileOnDisk, SavesAndLoadsTheSameSettings) {
    const RedirectSettings original = everyFieldChanged();
    ASSERT_TRUE(saveConfigFile(path, original));
    EXPECT_EQ(contents(), written(original));
    RedirectSettings loaded;
    loadConfigFile(path, loaded);
    EXPECT_EQ(loaded, original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left behind";
}

TEST_F(ConfigFileOnDisk, AMissingFileKeepsTheDefaults) {
    RedirectSettings settings;
    loadConfigFile(path, settings);
    EXPECT_EQ(settings, RedirectSettings{});
}

TEST_F(ConfigFileOnDisk, AFailedWriteKeepsTheOldFile) {
    RedirectSettings old;
    old.Combo_portselect = "COM5";
    ASSERT_TRUE(saveConfigFile(path, old));
    // A directory where the temporary file would go makes the write fail.
    std::filesystem::create_directory(path + ".new");
    EXPECT_FALSE(saveConfigFile(path, everyFieldChanged()));
    EXPECT_EQ(contents(), written(old));
}

TEST_F(ConfigFileOnDisk, AFileThatCannotBeReplacedReportsFailure) {
    std::filesystem::create_directory(path);  // vantorix.cfg is a directory
    EXPECT_FALSE(saveConfigFile(path, RedirectSettings{}));
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

}  // namespace
}  // namespace vantorix
