#include "settings/redirect_settings.h"

#include <algorithm>
#include <charconv>

namespace vantorix {
namespace {

// Built by appending to a named string: GCC's optimizer warns (-Wrestrict)
// about its own inlined copy in `"literal" + std::string`.
std::string joined(std::string_view first, std::string_view second) {
    std::string text(first);
    text += second;
    return text;
}

std::vector<std::string> makeComPortItems() {
    std::vector<std::string> items;
    for (int n = 1; n <= 20; ++n) {
        items.push_back(joined("COM", std::to_string(n)));
    }
    return items;
}

std::vector<std::string> makeHotKeyItems() {
    std::vector<std::string> items;
    for (int f = 2; f <= 11; ++f) {
        const std::string key = joined("F", std::to_string(f));
        for (const char* modifier : {"", "Alt+", "Ctrl+", "Shift+"}) {
            items.push_back(joined(modifier, key));
        }
    }
    return items;
}

}  // namespace

bool advancedOptionsActive(const RedirectSettings& s) {
    return isOn(s.Check_preamble) || isOn(s.Check_postamble) || isOn(s.Check_replacestring) ||
           isOn(s.Check_enablehotkey1) || isOn(s.Check_enablehotkey2);
}

std::span<const std::string> comPortItems() {
    static const std::vector<std::string> items = makeComPortItems();
    return items;
}

std::span<const std::string> baudItems() {
    // The last two are not in the original list, but most current devices use them.
    static const std::vector<std::string> items = {"110",   "300",   "600",   "1200",  "2400",
                                                   "4800",  "9600",  "14400", "19200", "28800",
                                                   "38400", "56000", "57600", "115200"};
    return items;
}

std::span<const std::string> parityItems() {
    static const std::vector<std::string> items = {"None", "Even", "Odd", "Mark", "Space"};
    return items;
}

std::span<const std::string> stopBitItems() {
    static const std::vector<std::string> items = {"1", "2"};
    return items;
}

std::span<const std::string> dataLengthItems() {
    static const std::vector<std::string> items = {"4 bits", "5 bits", "6 bits", "7 bits",
                                                   "8 bits"};
    return items;
}

std::span<const std::string> handshakeItems() {
    static const std::vector<std::string> items = {"None", "Xon/Xoff", "RTS", "RTS XonXoff"};
    return items;
}

std::span<const std::string> endOfLineItems() {
    static const std::vector<std::string> items = {std::string(kEolCr), std::string(kEolLf),
                                                   std::string(kEolComma), std::string(kEolTab),
                                                   std::string(kEolDelay)};
    return items;
}

std::span<const std::string> hotKeyItems() {
    static const std::vector<std::string> items = makeHotKeyItems();
    return items;
}

bool contains(std::span<const std::string> items, std::string_view value) {
    return std::find(items.begin(), items.end(), value) != items.end();
}

bool isDevicePath(std::string_view port) {
    constexpr std::string_view windowsDevice = "\\\\.\\";
    const bool named = (port.size() > 1 && port.front() == '/') ||
                       (port.size() > windowsDevice.size() && port.starts_with(windowsDevice));
    return named && port.find_first_of(std::string_view("\r\n\0,", 4)) == std::string_view::npos;
}

std::string portNameProblem(std::string_view port) {
    if (port.empty()) {
        return "The port name is empty.";
    }
    if (port.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
        return "A port name cannot hold a line break or a null character.";
    }
    if (port.find(',') != std::string_view::npos) {
        return "A port name cannot hold a comma.";
    }
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    if (isBlank(port.front()) || isBlank(port.back())) {
        return "A port name cannot begin or end with a blank.";
    }
    if (!isValidPort(port)) {
        return "The port is COM1 to COM20 or the full path of a device (beginning with / or "
               "\\\\.\\).";
    }
    return {};
}

bool isValidPort(std::string_view port) {
    return contains(comPortItems(), port) || isDevicePath(port);
}

int comPortNumber(std::string_view port) {
    if (!contains(comPortItems(), port)) {
        return 0;
    }
    int number = 0;
    const std::string_view digits = port.substr(3);
    std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return number;
}

std::vector<std::string> portChoices(std::span<const std::string> presentDevices,
                                     std::string_view extra) {
    std::vector<std::string> choices(comPortItems().begin(), comPortItems().end());
    const auto addDevice = [&choices](std::string_view path) {
        if (isDevicePath(path) && !contains(choices, path)) {
            choices.emplace_back(path);
        }
    };
    for (const std::string& device : presentDevices) {
        addDevice(device);
    }
    addDevice(extra);
    return choices;
}

}  // namespace vantorix
