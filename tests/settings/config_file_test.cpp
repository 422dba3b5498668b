#include "settings/config_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "settings/sample_settings.h"

namespace vantorix {
namespace {

using test::everyFieldChanged;
using test::written;

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

TEST(ConfigFile, SkipsAByteOrderMarkBeforeTheFirstRecordOnly) {
    const RedirectSettings read = readFrom(
        "\xEF\xBB\xBF"
        "COM3\r\n9600\r\nNone\r\n1\r\n8 bits\r\n"
        "None\r\n0\r\n0\r\nCR\r\n\xEF\xBB\xBFpre\r\n");
    EXPECT_EQ(read.Combo_portselect, "COM3");
    EXPECT_EQ(read.Text_preamble, "\xEF\xBB\xBFpre") << "later on the bytes are text";
}

TEST(ConfigFile, StopsReadingAfterTheLastRecord) {
    for (const std::string separator : {",", "\n", "\r\n", "\r"}) {
        std::string content;
        for (int i = 0; i < 500000; ++i) {
            content += separator;
        }
        std::istringstream in(content);
        RedirectSettings settings;
        readConfig(in, settings);
        const auto consumed = in.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in);
        EXPECT_LE(consumed, std::streamoff(24 * separator.size()))
            << ::testing::PrintToString(separator);
    }
}

TEST(ConfigFile, AValueFarLongerThanAnyTheProgramWritesIsNotTaken) {
    RedirectSettings s;
    s.Text_preamble = std::string(4 << 20, 'x');
    s.Text_postamble = "{ENTER}";
    const RedirectSettings read = readFrom(written(s));
    EXPECT_EQ(read.Text_preamble, "");
    EXPECT_EQ(read.Text_postamble, "{ENTER}") << "the records after it are read as usual";
}

TEST(ConfigFile, TheLongestTextABoxHoldsSurvivesARoundTripEvenAllCommas) {
    RedirectSettings s;
    s.Text_replacewith = std::string(32767, ',');
    EXPECT_EQ(readFrom(written(s)).Text_replacewith, s.Text_replacewith);
}

TEST(ConfigFile, LineBreaksInAValueNeverShiftTheLaterRecords) {
    RedirectSettings s = everyFieldChanged();
    s.Combo_portselect = "/dev/ttyUSB0\r";
    s.Text_preamble = "a\nb";
    s.Text_hotkey1 = "x\r\ny";
    const std::string file = written(s);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 24);
    RedirectSettings expected = s;
    expected.Combo_portselect = "/dev/ttyUSB0";
    expected.Text_preamble = "ab";
    expected.Text_hotkey1 = "xy";
    EXPECT_EQ(readFrom(file), expected);
}

TEST(ConfigFile, APortNameCanBeStoredExactlyWhenItReadsBackTheSame) {
    const std::string ports[] = {"COM1",
                                 "COM20",
                                 "/dev/ttyUSB0",
                                 "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0",
                                 "",
                                 "COM21",
                                 "ttyUSB0",
                                 "dev/ttyUSB0",
                                 "/dev/ttyUSB0\r",
                                 "/dev/tty\nUSB0",
                                 "/dev/tty,USB0",
                                 " /dev/ttyUSB0",
                                 "/dev/ttyUSB0\t",
                                 std::string("/dev/tty\0", 9)};
    for (const std::string& port : ports) {
        RedirectSettings s;
        s.Combo_portselect = port;
        const bool readsBack = readFrom(written(s)).Combo_portselect == port;
        EXPECT_EQ(portNameProblem(port).empty(), readsBack) << ::testing::PrintToString(port);
    }
}

}  // namespace
}  // namespace vantorix
