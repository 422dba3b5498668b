#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string_view>

#include "forms/layout/window_layout.h"
#include "frontend/win32/layout_controls.h"

namespace vantorix::win32 {

// A top-level window of the program made from its layout: its caption, a
// client area of the layout's size and the layout's controls, all at the dpi
// of the screen it is on (and made again at another dpi when it moves to a
// screen of its own). Hidden until shown. The keyboard moves the focus from
// control to control in the layout's order (Tab, Shift+Tab, the arrows in a
// group), as in a dialog box; the control that had the focus when the window
// was left has it again when the window is active again.
class LayoutWindow {
  public:
    virtual ~LayoutWindow();
    LayoutWindow(const LayoutWindow&) = delete;
    LayoutWindow& operator=(const LayoutWindow&) = delete;

    HWND handle() const { return window_; }
    // The control named `name`; nullptr when the layout has none.
    HWND control(std::string_view name) const { return (*controls_)[name]; }
    HWND tooltips() const { return controls_->tooltips(); }
    UINT dpi() const { return dpi_; }

    // Gives a message of this thread's loop to the window first: true when
    // the window has dealt with it (the keyboard's moves between controls).
    virtual bool preTranslate(MSG& message);

    // The window of the program that `window` belongs to; nullptr for others.
    static LayoutWindow* owning(HWND window);

  protected:
    // `menu` becomes the window's menu bar; the window owns it.
    LayoutWindow(const WindowLayout& layout, HMENU menu = nullptr);

    // A message for the window; empty leaves it to the default handling.
    virtual std::optional<LRESULT> onMessage(UINT /*message*/, WPARAM, LPARAM) {
        return std::nullopt;
    }
    // The user worked a control: `notification` is the control's own
    // (BN_CLICKED, CBN_SELCHANGE, EN_CHANGE, ...).
    virtual void onControl(const ControlLayout& control, HWND window, WORD notification) = 0;
    // A command of the window's menu or keyboard that no control sent.
    virtual void onCommand(WORD /*identifier*/) {}

    const LayoutControls& controls() const { return *controls_; }
    // The control the focus goes to when the window is first active.
    void setFirstFocus(HWND control) { lastFocus_ = control; }
    // Enables or disables a control; a control that loses the keyboard focus
    // so hands it on to the next one, as a disabled control cannot use it.
    void enableControl(HWND control, bool enabled);

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void fitToClientArea(const RECT* suggested);
    void drawItem(const DRAWITEMSTRUCT& item);

    const WindowLayout& layout_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    std::unique_ptr<LayoutControls> controls_;
    HWND lastFocus_ = nullptr;
};

}  // namespace vantorix::win32
