#pragma once

#include <QMainWindow>

#include "forms/help.h"
#include "forms/layout/window_layout.h"
#include "forms/window_hand_over.h"

namespace vantorix {

// What the program's two windows share: made from their layout, with the
// HELP menu and F1 leading to the help target, shown and hidden as wholes,
// and telling when they are minimised or closed.
class ProgramWindowBase : public QMainWindow {
  public:
    // Where the HELP menu and F1 lead; nullptr leads nowhere.
    void setHelpTarget(HelpMenuTarget* target) { help_ = target; }

  protected:
    explicit ProgramWindowBase(const WindowLayout& layout);

    // The area the controls lie in.
    QWidget& client() const { return *centralWidget(); }
    // The shown window's state changed: minimised or not.
    virtual void resized(bool minimized) = 0;
    // The user closed the window.
    virtual void closed() = 0;

    WindowPosition currentPosition() const { return {x(), y()}; }
    // Shows the window in normal state in front, cancelling a pending hide.
    void showInFront();
    // Hides the window once the current event is through: a window being
    // minimised is shown again when the state change completes, which would
    // undo a hide done at once.
    void hideSoon();
    void clearMinimizedAndMaximized();
    // Whether a hide is pending or done and no show has come since.
    bool keptHidden() const { return keepHidden_; }

    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void runMenuCommand(MenuCommand command);

    HelpMenuTarget* help_ = nullptr;
    bool keepHidden_ = false;
};

// A window of the program as the shared code sees it: `View` names what that
// code asks of it, of which this part shows and hides the window.
template <typename View>
class ProgramWindow : public ProgramWindowBase, public View {
  public:
    WindowPosition position() const override { return currentPosition(); }
    void showAt(WindowPosition topLeft) override {
        move(topLeft.left, topLeft.top);
        showInFront();
    }
    void showWindow() override { showInFront(); }
    void hideWindow() override { hideSoon(); }
    void setNormalState() override { clearMinimizedAndMaximized(); }

  protected:
    using ProgramWindowBase::ProgramWindowBase;
};

}  // namespace vantorix
