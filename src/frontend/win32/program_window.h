#pragma once

#include "forms/help.h"
#include "forms/window_hand_over.h"
#include "frontend/win32/layout_window.h"

namespace vantorix::win32 {

// What the program's two windows share: made from their layout with its menu
// bar, the HELP menu and F1 leading to the help target, shown and hidden as
// wholes, and telling when they are minimised or closed.
class ProgramWindowBase : public LayoutWindow {
  public:
    // Where the HELP menu and F1 lead; nullptr leads nowhere.
    void setHelpTarget(HelpMenuTarget* target) { help_ = target; }

    bool preTranslate(MSG& message) override;

  protected:
    explicit ProgramWindowBase(const WindowLayout& layout);

    // The shown window's state changed: minimised or not.
    virtual void resized(bool minimized) = 0;
    // The user closed the window (its close box, the system menu, Alt+F4).
    virtual void closed() = 0;

    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onCommand(WORD identifier) override;

    WindowPosition currentPosition() const;
    void moveTo(WindowPosition topLeft);
    // Shows the window in normal state in front.
    void showInFront();
    void hide();
    void clearMinimizedAndMaximized();
    // Whether the program hid the window and has not shown it since.
    bool keptHidden() const { return keepHidden_; }

  private:
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
        moveTo(topLeft);
        showInFront();
    }
    void showWindow() override { showInFront(); }
    void hideWindow() override { hide(); }
    void setNormalState() override { clearMinimizedAndMaximized(); }

  protected:
    using ProgramWindowBase::ProgramWindowBase;
};

}  // namespace vantorix::win32
