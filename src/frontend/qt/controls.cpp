#include "frontend/qt/controls.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

#include "frontend/qt/layout_renderer.h"
#include "frontend/qt/windows1252_text.h"

namespace vantorix {

QFont fontFor(const FontSpec& spec) {
    QFont font(QString::fromUtf8(spec.face.data(), static_cast<qsizetype>(spec.face.size())));
    font.setPointSizeF(spec.points);
    font.setBold(spec.bold);
    font.setUnderline(spec.underline);
    return font;
}

const StoredText kSystemText{
    [](const QString& shown) { return shown.toLocal8Bit().toStdString(); },
    [](std::string_view stored) {
        return QString::fromLocal8Bit(stored.data(), static_cast<qsizetype>(stored.size()));
    },
};

const StoredText kWindows1252Text{
    [](const QString& shown) { return toWindows1252(shown).value_or(std::string()); },
    fromWindows1252,
};

void bindControlsToSettings(QWidget& client, const WindowLayout& layout, RedirectSettings& settings,
                            const StoredText& text) {
    for (const ControlLayout& c : layout.controls) {
        QWidget* widget = controlOf<QWidget>(client, c.name);
        if (c.text != nullptr) {
            std::string& field = settings.*c.text;
            const auto store = [&field, &text](const QString& shown) { field = text.store(shown); };
            if (auto* list = qobject_cast<QComboBox*>(widget)) {
                QObject::connect(list, &QComboBox::currentTextChanged, list, store);
            } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
                QObject::connect(box, &QLineEdit::textChanged, box, store);
            }
        }
        if (auto* check = qobject_cast<QCheckBox*>(widget);
            check != nullptr && c.check != nullptr) {
            QObject::connect(check, &QCheckBox::toggled, check,
                             [&field = settings.*c.check](bool on) { field = on ? 1 : 0; });
        }
    }
}

void showSettingsInControls(QWidget& client, const WindowLayout& layout,
                            const RedirectSettings& settings, const StoredText& text) {
    for (const ControlLayout& c : layout.controls) {
        QWidget* widget = controlOf<QWidget>(client, c.name);
        const QSignalBlocker blocker(widget);
        if (c.text != nullptr) {
            const QString value = text.show(settings.*c.text);
            if (auto* list = qobject_cast<QComboBox*>(widget)) {
                list->setCurrentIndex(list->findText(value));
            } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
                box->setText(value);
            }
        }
        if (auto* check = qobject_cast<QCheckBox*>(widget);
            check != nullptr && c.check != nullptr) {
            check->setChecked(isOn(settings.*c.check));
        }
    }
}

void fitDropDownToRows(QComboBox& widget) {
    QAbstractItemView& rows = *widget.view();
    const int scrollBar = rows.verticalScrollBar()->sizeHint().width();
    rows.setMinimumWidth(
        std::max(widget.width(), rows.sizeHintForColumn(0) + scrollBar + 2 * rows.frameWidth()));
}

}  // namespace vantorix
