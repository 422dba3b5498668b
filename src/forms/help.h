#pragma once

#include <string>
#include <string_view>

namespace vantorix {

// Hands an address to the desktop, which opens it in the user's browser: a
// web address, or the path of a local file.
class UrlOpener {
  public:
    virtual ~UrlOpener() = default;
    // Whether the desktop took the address.
    virtual bool openUrl(const std::string& address) = 0;
};

// Opens nothing: for windows built without a desktop to open things in.
class InertUrlOpener final : public UrlOpener {
  public:
    bool openUrl(const std::string&) override { return false; }
};

// The manual's file name: a compiled help file on Windows, HTML elsewhere.
std::string_view helpFileName();

// The manual: beside the executable in `programFolder`, else where the
// package installs documentation (../share/doc/vantorix/).
std::string helpFileFor(const std::string& programFolder);

// The HELP menu, which both windows carry, and F1. The main window holds the
// keyboard, the help file and the one About window; the advanced options
// window leads there.
class HelpMenuTarget {
  public:
    virtual ~HelpMenuTarget() = default;
    // "HELP Contents and Index": F1 typed into the window in use, which then
    // opens the help as if the user had pressed it.
    virtual void menu_help_contents_Click() = 0;
    // "About VANTORIX".
    virtual void menu_about_vantorix_Click() = 0;
    // F1: the help file in the user's browser. The file is not checked
    // first; what a missing one shows is the browser's to say.
    virtual void openHelp() = 0;
};

}  // namespace vantorix
