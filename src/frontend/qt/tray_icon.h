#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include "forms/notification_icon.h"

namespace vantorix {

// The program's icon in the notification area. Without a notification area
// the icon waits unseen and docks if one appears later.
class TrayIcon final : public QObject, public NotificationIcon {
  public:
    explicit TrayIcon(const QIcon& image, QObject* parent = nullptr);

    void place(std::string_view tip) override;
    void setTip(std::string_view tip) override;
    void remove() override;
    void notify(std::string_view title, std::string_view text) override;
    bool restoresWindows() const override;

    // The tip as shown, with the line break; and where the icon is.
    QString toolTip() const { return icon_.toolTip(); }
    QRect geometry() const { return icon_.geometry(); }

  private:
    QSystemTrayIcon icon_;
    bool placed_ = false;
};

// A tip as the notification area shows it: the carriage return becomes a
// line break.
QString tipText(std::string_view tip);

}  // namespace vantorix
