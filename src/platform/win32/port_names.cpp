#include "platform/win32/port_names.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "platform/win32/wide_text.h"
#include "settings/redirect_settings.h"

namespace vantorix::win32 {
namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";
constexpr const wchar_t* kSerialCommKey = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

// 7 for "COM7" or "com7"; empty for anything else.
std::optional<int> comNumber(std::string_view name) {
    if (name.size() < 4 || std::toupper(static_cast<unsigned char>(name[0])) != 'C' ||
        std::toupper(static_cast<unsigned char>(name[1])) != 'O' ||
        std::toupper(static_cast<unsigned char>(name[2])) != 'M') {
        return std::nullopt;
    }
    int number = 0;
    const char* end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(name.data() + 3, end, number);
    if (error != std::errc{} || stop != end || number < 1 || name[3] == '0') {
        return std::nullopt;
    }
    return number;
}

std::vector<std::string> serialCommValues() {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSerialCommKey, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return names;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[256];
        DWORD valueNameLength = static_cast<DWORD>(std::size(valueName));
        wchar_t data[64];
        DWORD dataBytes = sizeof data - sizeof(wchar_t);
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, index, valueName, &valueNameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataBytes);
        if (result == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (result != ERROR_SUCCESS || type != REG_SZ) {
            continue;
        }
        data[dataBytes / sizeof(wchar_t)] = L'\0';
        names.push_back(narrow(data));
    }
    RegCloseKey(key);
    return names;
}

}  // namespace

std::string commDeviceName(std::string_view port) {
    if (const auto number = comNumber(port)) {
        return std::string(kDevicePrefix) + "COM" + std::to_string(*number);
    }
    return std::string(port);
}

std::string listedPortName(std::string_view systemName) {
    const auto number = comNumber(systemName);
    const std::string name = number ? "COM" + std::to_string(*number) : std::string(systemName);
    if (contains(comPortItems(), name) || name.starts_with(kDevicePrefix)) {
        return name;
    }
    return std::string(kDevicePrefix) + name;
}

std::vector<std::string> presentSerialPorts() {
    std::vector<std::string> names = serialCommValues();
    const auto numberOf = [](const std::string& name) { return comNumber(name).value_or(0); };
    std::sort(names.begin(), names.end(), [&numberOf](const std::string& a, const std::string& b) {
        return numberOf(a) != numberOf(b) ? numberOf(a) < numberOf(b) : a < b;
    });
    std::vector<std::string> listed;
    for (const std::string& name : names) {
        listed.push_back(listedPortName(name));
    }
    return listed;
}

}  // namespace vantorix::win32
