#pragma once

#include <filesystem>
#include <optional>

namespace vantorix::test {

// What a shortcut (.lnk) file says, read back through the shell's own
// shortcut object.
struct ShortcutFile {
    std::filesystem::path target;
    std::filesystem::path workingDirectory;
};

// Empty when `path` is no shortcut the shell can load.
std::optional<ShortcutFile> readShortcut(const std::filesystem::path& path);

}  // namespace vantorix::test
