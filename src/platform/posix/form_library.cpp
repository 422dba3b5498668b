#include "platform/posix/form_library.h"

#include "settings/file_replacement.h"

#include <cstdlib>
#include <fstream>
#include <system_error>
#include <utility>

#include "forms/form3_logic.h"

namespace vantorix {
namespace {

constexpr std::string_view kReservedInExec = " \t\n\"'\\><~|&;$*?#()`";

bool needsQuotes(std::string_view argument) {
    return argument.empty() || argument.find_first_of(kReservedInExec) != std::string_view::npos;
}

}  // namespace

std::filesystem::path autostartFolder(const char* xdgConfigHome, const char* home) {
    std::filesystem::path config;
    if (xdgConfigHome != nullptr && std::filesystem::path(xdgConfigHome).is_absolute()) {
        config = xdgConfigHome;
    } else if (home != nullptr && std::filesystem::path(home).is_absolute()) {
        config = std::filesystem::path(home) / ".config";
    } else {
        return {};
    }
    return config / "autostart";
}

std::filesystem::path autostartFolderFromEnvironment() {
    return autostartFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::string desktopEntryString(std::string_view value) {
    std::string escaped;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            case ' ':
                // Readers strip blanks after '='; only a leading one needs saying.
                escaped += i == 0 ? "\\s" : " ";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string execArgument(std::string_view argument) {
    std::string exec;
    if (needsQuotes(argument)) {
        exec += '"';
        for (const char c : argument) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') {
                exec += '\\';
            }
            exec += c;
        }
        exec += '"';
    } else {
        exec = argument;
    }
    // A '%' would start a field code.
    std::string withPercents;
    for (const char c : exec) {
        withPercents += c;
        if (c == '%') {
            withPercents += '%';
        }
    }
    // Quoted blanks stay blanks: \s is for a leading one only, and this one is a quote.
    return desktopEntryString(withPercents);
}

std::string autostartEntry(const std::filesystem::path& executable,
                           const std::filesystem::path& workingFolder) {
    std::string entry = "[Desktop Entry]\n";
    entry += "Type=Application\n";
    entry += "Name=" + desktopEntryString(executable.stem().string()) + "\n";
    entry += "Exec=" + execArgument(executable.string()) + "\n";
    entry += "Path=" + desktopEntryString(workingFolder.string()) + "\n";
    return entry;
}

Form_LIBRARY::Form_LIBRARY(std::filesystem::path autostartFolder, std::filesystem::path executable,
                           std::filesystem::path workingFolder, MessageBoxes& messages)
    : folder_(std::move(autostartFolder)),
      executable_(std::move(executable)),
      workingFolder_(std::move(workingFolder)),
      messages_(messages) {}

std::filesystem::path Form_LIBRARY::entryPath() const {
    if (folder_.empty()) {
        return {};
    }
    return folder_ / (executable_.stem().string() + ".desktop");
}

void Form_LIBRARY::Create_startup_link() {
    if (!writeEntry()) {
        messages_.exclamation(kUnableToCreateShortcut, kApplicationTitle);
    }
}

void Form_LIBRARY::Delete_startup_link() {
    const std::filesystem::path path = entryPath();
    if (!path.empty()) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
}

// Through a temporary file that takes the entry's name once complete, so a
// session starting meanwhile never reads half an entry.
bool Form_LIBRARY::writeEntry() const {
    const std::filesystem::path path = entryPath();
    if (path.empty() || executable_.empty()) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) {
        return false;
    }
    return replaceFile(
        path, [this](std::ostream& out) { out << autostartEntry(executable_, workingFolder_); });
}

}  // namespace vantorix
