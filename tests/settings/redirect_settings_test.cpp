#include "settings/redirect_settings.h"

#include <gtest/gtest.h>

namespace vantorix {
namespace {

TEST(RedirectSettings, DefaultsAreThoseOfAFreshStart) {
    const RedirectSettings s;
    EXPECT_EQ(s.Combo_portselect, "COM1");
    EXPECT_EQ(s.Combo_baud, "9600");
    EXPECT_EQ(s.Combo_parity, "None");
    EXPECT_EQ(s.Combo_stop, "1");
    EXPECT_EQ(s.Combo_length, "8 bits");
    EXPECT_EQ(s.Combo_handshake, "None");
    EXPECT_EQ(s.Combo_EOL, "CR");
    EXPECT_EQ(s.Combo_hotkey1, "F2");
    EXPECT_EQ(s.Combo_hotkey2, "Alt+F2");
    EXPECT_FALSE(advancedOptionsActive(s));
    // Every default choice is an item of its own list.
    EXPECT_TRUE(contains(baudItems(), s.Combo_baud));
    EXPECT_TRUE(contains(dataLengthItems(), s.Combo_length));
    EXPECT_EQ(hotKeyItems()[0], s.Combo_hotkey1);
    EXPECT_EQ(hotKeyItems()[1], s.Combo_hotkey2);
}

TEST(RedirectSettings, ItemListsHoldTheirItemsInOrder) {
    EXPECT_EQ(comPortItems().size(), 20u);
    EXPECT_EQ(comPortItems().back(), "COM20");
    EXPECT_EQ(baudItems().size(), 14u);
    EXPECT_EQ(baudItems()[11], "56000");
    EXPECT_EQ(baudItems().back(), "115200");
    EXPECT_EQ(hotKeyItems().size(), 40u);
    EXPECT_EQ(hotKeyItems()[6], "Ctrl+F3");
    EXPECT_EQ(hotKeyItems().back(), "Shift+F11");
    EXPECT_EQ(endOfLineItems()[2], ",");
    EXPECT_EQ(endOfLineItems()[4], "DELAY 250mS");
}

TEST(RedirectSettings, EachAdvancedSwitchAloneMakesTheOptionsActiveButOnlyWithValueOne) {
    for (int RedirectSettings::*field :
         {&RedirectSettings::Check_preamble, &RedirectSettings::Check_postamble,
          &RedirectSettings::Check_replacestring, &RedirectSettings::Check_enablehotkey1,
          &RedirectSettings::Check_enablehotkey2}) {
        RedirectSettings s;
        s.*field = 1;
        EXPECT_TRUE(advancedOptionsActive(s));
        s.*field = 2;
        EXPECT_FALSE(advancedOptionsActive(s));
    }
    RedirectSettings others;
    others.Check_ENTER_KEY = others.Check_LF_KEY = others.Check_startup = others.Check_startrun = 1;
    EXPECT_FALSE(advancedOptionsActive(others));
}

TEST(RedirectSettings, IndicatorShowsTheStateWhenItWasLastComputed) {
    RedirectSettings s;
    AdvancedOptionsIndicator indicator;
    s.Check_replacestring = 1;
    EXPECT_FALSE(indicator.enabled);
    indicator.update(s);
    EXPECT_TRUE(indicator.enabled);
    EXPECT_TRUE(indicator.selected);
    s.Check_replacestring = 0;
    EXPECT_TRUE(indicator.enabled);
}

TEST(RedirectSettings, PortsAreComItemsOrDevicePaths) {
    EXPECT_EQ(comPortNumber("COM20"), 20);
    EXPECT_EQ(comPortNumber("COM21"), 0);
    EXPECT_EQ(comPortNumber("/dev/ttyUSB0"), 0);
    EXPECT_TRUE(isValidPort("/dev/ttyUSB0"));
    EXPECT_FALSE(isValidPort("COM99"));
    EXPECT_FALSE(isValidPort("ttyUSB0"));
    EXPECT_FALSE(isValidPort("/"));

    const std::vector<std::string> present = {"/dev/ttyS0", "/dev/ttyUSB0"};
    const auto choices = portChoices(present, "/dev/ttyACM3");
    ASSERT_EQ(choices.size(), 23u);
    EXPECT_EQ(choices[20], "/dev/ttyS0");
    EXPECT_EQ(choices[22], "/dev/ttyACM3");
    EXPECT_EQ(portChoices(present, "/dev/ttyUSB0").size(), 22u) << "no duplicates";
    EXPECT_EQ(portChoices({}, "COM3").size(), 20u);
}

TEST(RedirectSettings, DevicePathsAreLinuxPathsOrWindowsDeviceNames) {
    struct Case {
        const char* port;
        bool devicePath;
    };
    const Case cases[] = {
        {"/dev/ttyUSB0", true},    {"/dev/serial/by-id/usb-x", true},
        {"\\\\.\\COM21", true},    {"\\\\.\\CNCA0", true},
        {"\\\\.\\", false},        {"\\\\?\\COM21", false},
        {"\\\\.COM21", false},     {"\\.\\COM21", false},
        {"COM21", false},          {"/", false},
        {"\\\\.\\COM21\r", false}, {"/dev/tty\nS0", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        EXPECT_EQ(isDevicePath(c.port), c.devicePath);
        EXPECT_EQ(isValidPort(c.port), c.devicePath);
    }
    EXPECT_EQ(portChoices({}, "\\\\.\\COM21").back(), "\\\\.\\COM21");
}

}  // namespace
}  // namespace vantorix
