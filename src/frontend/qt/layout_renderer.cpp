#include "frontend/qt/layout_renderer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

#include "frontend/qt/caption_button.h"
#include "frontend/qt/controls.h"
#include "frontend/qt/twips.h"
#include "frontend/qt/vantorix_picture.h"
#include "frontend/qt/windows1252_text.h"

namespace vantorix {
namespace {

QString qt(std::string_view text) {
    return fromWindows1252(text);
}

QLabel* makeLabel(QWidget& client, const ControlLayout& c) {
    auto* label = new QLabel(qt(c.caption), &client);
    label->setAlignment((c.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    return label;
}

QComboBox* makeDropDownList(QWidget& client, const ControlLayout& c) {
    auto* list = new QComboBox(&client);
    for (const std::string& row : itemsOf(c.items)) {
        list->addItem(qt(row));
    }
    list->setCurrentIndex(-1);
    return list;
}

QLineEdit* makeTextBox(QWidget& client, const ControlLayout& c) {
    auto* box = new QLineEdit(&client);
    box->setValidator(new Windows1252Validator(box));
    if (c.maxLength > 0) {
        box->setMaxLength(c.maxLength);
    }
    return box;
}

QPushButton* makeButton(QWidget& client, const ControlLayout& c) {
    QPushButton* button = c.lightGreyFace ? new CaptionButton(&client) : new QPushButton(&client);
    button->setText(qt(c.caption));
    return button;
}

// The program's option button only shows a state; the user does not operate it.
QRadioButton* makeIndicator(QWidget& client, const ControlLayout& c) {
    auto* indicator = new QRadioButton(qt(c.caption), &client);
    indicator->setAttribute(Qt::WA_TransparentForMouseEvents);
    indicator->setFocusPolicy(Qt::NoFocus);
    return indicator;
}

QLabel* makeLink(QWidget& client, const ControlLayout& c) {
    QLabel* link = makeLabel(client, c);
    link->setCursor(Qt::PointingHandCursor);
    link->setMouseTracking(true);
    return link;
}

QWidget* makeWidget(QWidget& client, const ControlLayout& c) {
    switch (c.kind) {
        case ControlKind::Label:
            return makeLabel(client, c);
        case ControlKind::Picture:
            return new QLabel(&client);
        case ControlKind::DropDownList:
            return makeDropDownList(client, c);
        case ControlKind::TextBox:
            return makeTextBox(client, c);
        case ControlKind::CheckBox:
            return new QCheckBox(qt(c.caption), &client);
        case ControlKind::Button:
            return makeButton(client, c);
        case ControlKind::OptionButton:
            return makeIndicator(client, c);
        case ControlKind::Link:
            return makeLink(client, c);
    }
    return nullptr;
}

// A caption is never cut off: where the fonts at hand need a few pixels more
// than the layout gives, a label or switch grows to the right.
void keepCaptionWhole(QWidget& widget, const ControlLayout& c) {
    const bool captioned = c.kind == ControlKind::Label || c.kind == ControlKind::CheckBox ||
                           c.kind == ControlKind::OptionButton || c.kind == ControlKind::Link;
    if (captioned && widget.sizeHint().width() > widget.width()) {
        widget.resize(widget.sizeHint().width(), widget.height());
    }
}

void renderMenus(QMainWindow& window, const WindowLayout& layout,
                 const std::function<void(MenuCommand)>& onCommand) {
    for (const MenuLayout& m : layout.menus) {
        QMenu* menu = window.menuBar()->addMenu(qt(m.text));
        menu->setObjectName(qt(m.name));
        for (const MenuItemLayout& item : m.items) {
            QAction* action =
                item.isSeparator() ? menu->addSeparator() : menu->addAction(qt(item.text));
            action->setObjectName(qt(item.name));
            if (item.command != MenuCommand::None) {
                QObject::connect(action, &QAction::triggered, &window,
                                 [onCommand, command = item.command] { onCommand(command); });
            }
        }
    }
}

}  // namespace

void renderClientArea(QWidget& client, const WindowLayout& layout) {
    for (const ControlLayout& c : layout.controls) {
        QWidget* widget = makeWidget(client, c);
        widget->setObjectName(qt(c.name));
        widget->setFont(fontFor(c.font));
        widget->setToolTip(qt(c.tooltip));
        placeInTwips(*widget, c.rect);
        keepCaptionWhole(*widget, c);
        widget->setHidden(!c.visible);
        widget->setEnabled(c.enabled);
        if (c.kind == ControlKind::Picture) {
            static_cast<QLabel*>(widget)->setPixmap(vantorixPicture(widget->size()));
        }
    }
    client.setFixedSize(pixelsFor(client, {0, 0, layout.clientWidth, layout.clientHeight}).size());
}

void renderMainWindow(QMainWindow& window, const WindowLayout& layout,
                      std::function<void(MenuCommand)> onCommand) {
    window.setObjectName(qt(layout.name));
    window.setWindowTitle(qt(layout.caption));
    window.setWindowIcon(vantorixIcon());
    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    renderClientArea(*client, layout);
    renderMenus(window, layout, onCommand);
}

}  // namespace vantorix
