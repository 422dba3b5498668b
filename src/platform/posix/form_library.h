#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "forms/startup_shortcut.h"
#include "forms/message_boxes.h"

namespace vantorix {

inline constexpr const char* kUnableToCreateShortcut = "Unable to create shortcut";

// Where a desktop looks for the entries it starts at log-in: the "autostart"
// folder of $XDG_CONFIG_HOME, or of ~/.config when that is unset, empty or
// not absolute. Empty when neither variable gives a folder.
std::filesystem::path autostartFolder(const char* xdgConfigHome, const char* home);
std::filesystem::path autostartFolderFromEnvironment();

// One argument of an Exec line, quoted when it holds a reserved character,
// then escaped as any string value of a desktop entry.
std::string execArgument(std::string_view argument);
// A string value of a desktop entry (such as Path), escaped.
std::string desktopEntryString(std::string_view value);

// The entry that starts `executable` in `workingFolder`.
std::string autostartEntry(const std::filesystem::path& executable,
                           const std::filesystem::path& workingFolder);

// The start-up entry of the running program: the autostart folder, then the
// executable's base name with ".desktop". The program starts in
// `workingFolder`, where it finds its settings. Only making the entry reports
// a failure, as "Unable to create shortcut"; a missing entry is no error.
class Form_LIBRARY final : public StartupShortcut {
  public:
    Form_LIBRARY(std::filesystem::path autostartFolder, std::filesystem::path executable,
                 std::filesystem::path workingFolder, MessageBoxes& messages);

    void Create_startup_link() override;
    void Delete_startup_link() override;

    std::filesystem::path entryPath() const;

  private:
    bool writeEntry() const;

    std::filesystem::path folder_;
    std::filesystem::path executable_;
    std::filesystem::path workingFolder_;
    MessageBoxes& messages_;
};

}  // namespace vantorix
