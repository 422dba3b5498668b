#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "forms/help.h"

namespace vantorix::win32 {

// What opening an address comes to: the compiled help in the system's help
// viewer, or any address (a web page, a file) with its associated program.
struct OpenTarget {
    enum class How { HelpViewer, Associated };
    How how = How::Associated;
    std::filesystem::path path;
    bool operator==(const OpenTarget&) const = default;
};

// A compiled help file that is there opens in the help viewer. One that is
// missing gives way to the HTML manual of the same name beside it, when that
// is there; anything else opens as it is.
OpenTarget openTargetFor(const std::filesystem::path& address,
                         const std::function<bool(const std::filesystem::path&)>& exists);

// Opens addresses given in UTF-8 (file paths of any folder name, web
// addresses): compiled help through HTML Help (hhctrl.ocx, loaded when first
// needed), everything else through ShellExecuteW.
class ShellUrlOpener final : public UrlOpener {
  public:
    bool openUrl(const std::string& address) override;
};

}  // namespace vantorix::win32
