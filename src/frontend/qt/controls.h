#pragma once

#include <string>
#include <string_view>

#include <QFont>
#include <QString>

#include "forms/layout/window_layout.h"
#include "settings/redirect_settings.h"

class QComboBox;
class QWidget;

namespace vantorix {

QFont fontFor(const FontSpec& spec);

// How a window's texts are kept in the settings store: the port list keeps
// device paths in the system's encoding, the advanced texts are Windows-1252.
struct StoredText {
    std::string (*store)(const QString& shown);
    QString (*show)(std::string_view stored);
};
extern const StoredText kSystemText;
extern const StoredText kWindows1252Text;

// Every control of `layout` on `client` that edits a setting is bound to its
// field: a change the user makes is in the settings store at once.
void bindControlsToSettings(QWidget& client, const WindowLayout& layout, RedirectSettings& settings,
                            const StoredText& text);

// Those controls take the values of the settings store without reporting
// them as changes, so a check value other than 0 or 1 stays as it is until
// the user clicks.
void showSettingsInControls(QWidget& client, const WindowLayout& layout,
                            const RedirectSettings& settings, const StoredText& text);

// The list's drop-down as wide as its longest row, while the box keeps the
// size of its layout.
void fitDropDownToRows(QComboBox& widget);

}  // namespace vantorix
