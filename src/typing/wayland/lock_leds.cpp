#include "typing/wayland/lock_leds.h"

#include <fstream>
#include <string>
#include <system_error>

namespace vantorix::wayland {

namespace {

bool lit(const std::filesystem::path& led) {
    std::ifstream brightness(led / "brightness");
    int level = 0;
    return brightness >> level && level > 0;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

LockLeds readLockLeds(const std::filesystem::path& folder) {
    LockLeds leds;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        bool* lock = endsWith(name, "::capslock")     ? &leds.capsLock
                     : endsWith(name, "::numlock")    ? &leds.numLock
                     : endsWith(name, "::scrolllock") ? &leds.scrollLock
                                                      : nullptr;
        if (lock != nullptr) {
            leds.found = true;
            *lock = *lock || lit(entry.path());
        }
    }
    return leds;
}

}  // namespace vantorix::wayland
