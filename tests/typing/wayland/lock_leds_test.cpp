// The lock states as the kernel shows the keyboard lights, read from a folder laid out as
// /sys/class/leds is.
#include "typing/wayland/lock_leds.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace vantorix::wayland {
namespace {

namespace fs = std::filesystem;

TEST(LockLeds, ALockIsOnWhenAnyKeyboardLightsIt) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> leds;  // name, brightness
        bool found, capsLock, numLock, scrollLock;
    };
    const Case cases[] = {
        {"no lights at all", {}, false, false, false, false},
        {"lights of other devices only",
         {{"phy0-led", "1"}, {"mmc0::", "1"}},
         false,
         false,
         false,
         false},
        {"one keyboard, all off",
         {{"input3::capslock", "0"}, {"input3::numlock", "0"}, {"input3::scrolllock", "0"}},
         true,
         false,
         false,
         false},
        {"one keyboard, Caps Lock and Num Lock on",
         {{"input3::capslock", "1\n"}, {"input3::numlock", "1"}, {"input3::scrolllock", "0"}},
         true,
         true,
         true,
         false},
        {"two keyboards, one lit",
         {{"input3::capslock", "0"}, {"input7::capslock", "1"}, {"input7::scrolllock", "1"}},
         true,
         true,
         false,
         true},
        {"a light whose brightness cannot be read",
         {{"input3::capslock", ""}},
         true,
         false,
         false,
         false},
    };
    for (const Case& c : cases) {
        const fs::path folder = fs::path(::testing::TempDir()) / "leds";
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const auto& [name, brightness] : c.leds) {
            fs::create_directories(folder / name);
            std::ofstream(folder / name / "brightness") << brightness;
        }
        const LockLeds leds = readLockLeds(folder);
        EXPECT_EQ(leds.found, c.found) << c.what;
        EXPECT_EQ(leds.capsLock, c.capsLock) << c.what;
        EXPECT_EQ(leds.numLock, c.numLock) << c.what;
        EXPECT_EQ(leds.scrollLock, c.scrollLock) << c.what;
    }
}

}  // namespace
}  // namespace vantorix::wayland
