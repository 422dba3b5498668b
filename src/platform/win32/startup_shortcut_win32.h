#pragma once

#include <filesystem>
#include <optional>

#include "forms/message_boxes.h"
#include "forms/startup_shortcut.h"

namespace vantorix::win32 {

inline constexpr const char* kUnableToCreateShortcut = "Unable to create shortcut";

// The current user's Startup folder; empty when the system gives none.
std::filesystem::path startupFolder();

// The shortcut that starts the running program when the user logs on:
// "<Startup folder>\<program base name>.lnk", its target the executable and
// its working directory `workingFolder`, where the program finds its
// settings. Only making it reports a failure ("Unable to create shortcut");
// removing a shortcut that is not there is no error.
class Form_LIBRARY final : public StartupShortcut {
  public:
    Form_LIBRARY(std::filesystem::path startupFolder, std::filesystem::path executable,
                 std::filesystem::path workingFolder, MessageBoxes& messages);

    void Create_startup_link() override;
    void Delete_startup_link() override;

    std::filesystem::path shortcutPath() const;

  private:
    // Whether every step of writing the shortcut succeeded; nullopt when the
    // shell's shortcut object could not be made at all.
    std::optional<bool> writeShortcut() const;

    std::filesystem::path folder_;
    std::filesystem::path executable_;
    std::filesystem::path workingFolder_;
    MessageBoxes& messages_;
};

}  // namespace vantorix::win32
