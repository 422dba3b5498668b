#pragma once

#include <functional>
#include <string>

#include <QString>
#include <QUrl>

class QWidget;

namespace vantorix {

// Hands an address to the desktop, which opens it in the user's browser.
class UrlOpener {
  public:
    virtual ~UrlOpener() = default;
    virtual bool openUrl(const QUrl& url) = 0;
};

class DesktopUrlOpener final : public UrlOpener {
  public:
    bool openUrl(const QUrl& url) override;
};

// Opens nothing: for windows built without a desktop to open things in.
class InertUrlOpener final : public UrlOpener {
  public:
    bool openUrl(const QUrl&) override { return false; }
};

// The manual: beside the executable in `programFolder`, else where the
// package installs documentation (../share/doc/vantorix/).
std::string helpFileFor(const QString& programFolder);

// The file address under which the help file is opened.
QUrl helpFileUrl(const std::string& helpFile);

// F1: the help file in the user's browser. The file is not checked first;
// what a missing one shows is the browser's to say.
void openHelpFile(UrlOpener& opener, const std::string& helpFile);

// F1 anywhere in `window` calls `help`.
void installHelpKey(QWidget& window, std::function<void()> help);

// The main window's side of the HELP menu, which the advanced options window
// leads to: the keyboard, the help file and the one About window are there.
class HelpMenuTarget {
  public:
    virtual ~HelpMenuTarget() = default;
    // "HELP Contents and Index": F1 typed into the window in use.
    virtual void menu_help_contents_Click() = 0;
    // "About VANTORIX".
    virtual void menu_about_vantorix_Click() = 0;
    // F1.
    virtual void openHelp() = 0;
};

}  // namespace vantorix
