#pragma once

#include <windows.h>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/layout/window_layout.h"

namespace vantorix::win32 {

// Twips to pixels at `dpi`, rounded to the nearest pixel as the system rounds.
int twipsAtDpi(int twips, UINT dpi);
RECT pixelRect(TwipRect rect, UINT dpi);

// The face, size and style of `wanted` as a font at `dpi`; the caller deletes it.
HFONT createFont(const FontSpec& wanted, UINT dpi);

// The control identifier of the control at `index` of its layout, and back.
int controlId(std::size_t index);
std::optional<std::size_t> controlIndex(int id);

// The controls of one window made from its layout, as child windows of
// `parent`, in the layout's order: the keyboard focus moves from one to the
// next (WS_TABSTOP where the focus may stop), and labels and pictures lie
// behind the rest, the first one at the back. Each control's window carries
// its layout (GWLP_USERDATA) so that it can be found by name. Placed and
// lettered at `dpi`, and again at another dpi when the window moves to a
// screen of its own.
class LayoutControls {
  public:
    LayoutControls(HWND parent, const WindowLayout& layout, UINT dpi);
    ~LayoutControls();
    LayoutControls(const LayoutControls&) = delete;
    LayoutControls& operator=(const LayoutControls&) = delete;

    // The control named `name`; nullptr when the layout has none.
    HWND operator[](std::string_view name) const;
    // The layout of the control with identifier `id`; nullptr for none.
    const ControlLayout* layoutOf(int id) const;

    // The tooltip control that shows the controls' tips.
    HWND tooltips() const { return tooltips_; }

    void placeAt(UINT dpi);

  private:
    HWND create(const ControlLayout& control, std::size_t index);
    HFONT fontFor(const FontSpec& wanted);
    void setDroppedWidth(HWND list);

    HWND parent_;
    const WindowLayout& layout_;
    UINT dpi_;
    HWND tooltips_ = nullptr;
    std::vector<HWND> windows_;
    std::vector<std::pair<FontSpec, HFONT>> fonts_;
};

// The layout a control of a LayoutControls was made from; nullptr for other windows.
const ControlLayout* controlLayoutOf(HWND control);

}  // namespace vantorix::win32
