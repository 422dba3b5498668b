#pragma once

#include <functional>
#include <string>

#include <QUrl>

#include "forms/help.h"

class QWidget;

namespace vantorix {

// An address as the desktop opens it: a web address as it is, anything else
// as the path of a local file.
QUrl urlFor(const std::string& address);

// Opens addresses with the desktop's own handlers.
class DesktopUrlOpener final : public UrlOpener {
  public:
    bool openUrl(const std::string& address) override;
};

// F1 anywhere in `window` calls `help`.
void installHelpKey(QWidget& window, std::function<void()> help);

}  // namespace vantorix
