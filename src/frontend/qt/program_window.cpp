#include "frontend/qt/program_window.h"

#include <QCloseEvent>
#include <QEvent>

#include "frontend/qt/help.h"
#include "frontend/qt/layout_renderer.h"

namespace vantorix {

ProgramWindowBase::ProgramWindowBase(const WindowLayout& layout) {
    renderMainWindow(*this, layout, [this](MenuCommand command) { runMenuCommand(command); });
    installHelpKey(*this, [this] {
        if (help_ != nullptr) {
            help_->openHelp();
        }
    });
}

void ProgramWindowBase::runMenuCommand(MenuCommand command) {
    if (help_ == nullptr) {
        return;
    }
    switch (command) {
        case MenuCommand::HelpContents:
            // Queued, so the menu has closed and let go of the keyboard before
            // the help key is typed.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (help_ != nullptr) {
                        help_->menu_help_contents_Click();
                    }
                },
                Qt::QueuedConnection);
            break;
        case MenuCommand::About:
            help_->menu_about_vantorix_Click();
            break;
        case MenuCommand::None:
            break;
    }
}

void ProgramWindowBase::showInFront() {
    keepHidden_ = false;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void ProgramWindowBase::hideSoon() {
    keepHidden_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (keepHidden_) {
                hide();
            }
        },
        Qt::QueuedConnection);
}

void ProgramWindowBase::clearMinimizedAndMaximized() {
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

void ProgramWindowBase::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isVisible()) {
        resized(isMinimized());
    }
}

void ProgramWindowBase::closeEvent(QCloseEvent* event) {
    event->accept();
    closed();
}

}  // namespace vantorix
