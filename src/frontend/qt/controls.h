#pragma once

#include <functional>

#include <QAbstractButton>
#include <QAction>
#include <QFont>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QWidget>

namespace vantorix {

// The windows' typeface at a given size.
inline QFont arial(qreal points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A control of a window, named after its member so that it can be found by name.
template <typename Widget>
Widget* makeControl(QWidget* parent, const char* name, const QFont& font) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setFont(font);
    return widget;
}

// The light-grey face of the windows' main buttons.
inline void giveLightGreyFace(QAbstractButton& button) {
    QPalette palette = button.palette();
    palette.setColor(QPalette::Button, QColor(224, 224, 224));
    button.setPalette(palette);
    button.setAutoFillBackground(true);
}

// The "HELP" menu both windows carry. The two windows name the menu and its
// first item differently.
struct HelpMenu {
    QMenu* menu = nullptr;
    QAction* contents = nullptr;
    QAction* menu_separator1 = nullptr;
    QAction* menu_about_vantorix = nullptr;
};

// `onContents` runs queued, so the menu has closed and let go of the keyboard
// before the help key is typed.
inline HelpMenu addHelpMenu(QMainWindow& window, const char* menuName, const char* contentsName,
                            const std::function<void()>& onContents,
                            const std::function<void()>& onAbout) {
    HelpMenu help;
    help.menu = window.menuBar()->addMenu(QStringLiteral("HELP"));
    help.menu->setObjectName(QString::fromLatin1(menuName));
    help.contents = help.menu->addAction(QStringLiteral("HELP Contents and Index      F1"));
    help.contents->setObjectName(QString::fromLatin1(contentsName));
    help.menu_separator1 = help.menu->addSeparator();
    help.menu_separator1->setObjectName(QStringLiteral("menu_separator1"));
    help.menu_about_vantorix = help.menu->addAction(QStringLiteral("About VANTORIX"));
    help.menu_about_vantorix->setObjectName(QStringLiteral("menu_about_vantorix"));
    QObject::connect(help.contents, &QAction::triggered, &window, onContents, Qt::QueuedConnection);
    QObject::connect(help.menu_about_vantorix, &QAction::triggered, &window, onAbout);
    return help;
}

}  // namespace vantorix
