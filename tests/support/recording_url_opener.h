#pragma once

#include <QList>
#include <QUrl>

#include "frontend/qt/help.h"

namespace vantorix::test {

// Opens nothing and keeps every address it was asked to open.
class RecordingUrlOpener final : public UrlOpener {
  public:
    bool openUrl(const QUrl& url) override {
        opened.append(url);
        return true;
    }
    QList<QUrl> opened;
};

}  // namespace vantorix::test
