#include "platform/win32/port_names.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "settings/redirect_settings.h"

namespace vantorix::win32 {
namespace {

TEST(PortNames, NamesBecomeTheDevicesThatOpenThem) {
    const std::pair<std::string, std::string> cases[] = {
        {"COM1", "\\\\.\\COM1"},
        {"COM20", "\\\\.\\COM20"},
        {"com21", "\\\\.\\COM21"},
        {"COM255", "\\\\.\\COM255"},
        {"\\\\.\\COM3", "\\\\.\\COM3"},
        {"\\\\.\\CNCA0", "\\\\.\\CNCA0"},
        {"COM0", "COM0"},
        {"COM07", "COM07"},
        {"COMX", "COMX"},
        {"COM3:", "COM3:"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
    };
    for (const auto& [port, device] : cases) {
        EXPECT_EQ(commDeviceName(port), device) << port;
    }
}

TEST(PortNames, PortsTheSystemReportsAreListedByANameTheListCanHold) {
    const std::pair<std::string, std::string> cases[] = {
        {"COM3", "COM3"},
        {"COM20", "COM20"},
        {"COM21", "\\\\.\\COM21"},
        {"CNCA0", "\\\\.\\CNCA0"},
    };
    for (const auto& [reported, listed] : cases) {
        EXPECT_EQ(listedPortName(reported), listed) << reported;
        EXPECT_TRUE(isValidPort(listed)) << listed;
    }
}

class PresentPorts : public ::testing::Test {
  protected:
    static constexpr const wchar_t* kKey = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";
    static constexpr const wchar_t* kValue = L"\\Device\\VantorixTestSerial";

    void TearDown() override { RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kKey, kValue); }

    bool addPort(const wchar_t* name) {
        const auto bytes = static_cast<DWORD>((wcslen(name) + 1) * sizeof(wchar_t));
        return RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, kValue, REG_SZ, name, bytes) ==
               ERROR_SUCCESS;
    }
};

TEST_F(PresentPorts, APortThatAppearsIsOfferedAfterTheComPorts) {
    if (!addPort(L"COM23")) {
        GTEST_SKIP() << "the system's port list cannot be written here";
    }
    const std::vector<std::string> present = presentSerialPorts();
    EXPECT_NE(std::find(present.begin(), present.end(), "\\\\.\\COM23"), present.end());

    const std::vector<std::string> choices = portChoices(present, "");
    ASSERT_GE(choices.size(), 21U);
    EXPECT_EQ(choices[19], "COM20");
    EXPECT_EQ(std::count(choices.begin(), choices.end(), "\\\\.\\COM23"), 1);
    // Ports below COM21 are in the list once, present or not.
    EXPECT_EQ(std::count(choices.begin(), choices.end(), "COM5"), 1);
}

}  // namespace
}  // namespace vantorix::win32
