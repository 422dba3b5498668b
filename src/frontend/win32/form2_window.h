#pragma once

#include <windows.h>

#include <string>

#include "forms/help.h"
#include "frontend/win32/layout_window.h"

namespace vantorix::win32 {

// The link's colours: blue at first and off the link, red under the mouse.
inline constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
inline constexpr COLORREF kLinkRed = RGB(255, 0, 0);

// The About window: name, version and a link that opens in the user's
// browser. Made once, then only shown and hidden (OK and the close box hide
// it), so the link keeps its colour between showings. It belongs to no other
// window and keeps the program running after nothing.
class Form2 final : public LayoutWindow {
  public:
    // The link shows its text and opens `linkAddress` (UTF-8).
    Form2(UrlOpener& browser, std::string linkAddress);

    void show();
    void Command1_Click() { ShowWindow(handle(), SW_HIDE); }
    void LinkLabel1_Click();
    // `address` opened with the desktop; the result is the opener's.
    bool open_link(const std::string& address);

    COLORREF linkColour() const { return linkColour_; }

  protected:
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onControl(const ControlLayout& control, HWND window, WORD notification) override;
    void onCommand(WORD identifier) override;

  private:
    static LRESULT CALLBACK mouseOver(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self);
    void setLinkColour(COLORREF colour);

    UrlOpener& browser_;
    std::string linkAddress_;
    COLORREF linkColour_ = kLinkBlue;
};

}  // namespace vantorix::win32
