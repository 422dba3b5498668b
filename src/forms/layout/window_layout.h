#pragma once

#include <span>
#include <string>
#include <string_view>

#include "settings/redirect_settings.h"

namespace vantorix {

// A rectangle in twips (1/1440 inch): left, top, width, height within the
// window's client area.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    bool operator==(const TwipRect&) const = default;
};

// Twips to pixels at `dpi` dots per inch, rounded to the nearest pixel with
// halves away from zero: 15 twips are one pixel at 96 dpi.
constexpr int twipsToPixels(int twips, int dpi) {
    const long long product = static_cast<long long>(twips) * dpi;
    const long long rounded = product >= 0 ? (product + 720) / 1440 : (product - 720) / 1440;
    return static_cast<int>(rounded);
}

struct FontSpec {
    std::string_view face = "Arial";
    double points = 12;
    bool bold = false;
    bool underline = false;
};

inline constexpr FontSpec kArial12{};
inline constexpr FontSpec kArial825{.points = 8.25};
inline constexpr FontSpec kArial975{.points = 9.75};
inline constexpr FontSpec kArial1425Bold{.points = 14.25, .bold = true};

enum class ControlKind {
    Label,
    Picture,
    DropDownList,
    TextBox,
    CheckBox,
    Button,
    OptionButton,
    Link,
};

// The fixed rows a drop-down list offers.
enum class ItemList {
    None,
    Ports,
    Baud,
    Parity,
    StopBits,
    DataLength,
    Handshake,
    EndOfLine,
    HotKeys,
    SpecialKeys,
    SearchCharacters,
    HotKeyCharacters,
};

// The rows of `list` in list order; the port list holds "COM1" to "COM20",
// to which a front end adds the devices present.
std::span<const std::string> itemsOf(ItemList list);

// One control of a window as it is when the window opens.
struct ControlLayout {
    std::string_view name{};
    ControlKind kind = ControlKind::Label;
    TwipRect rect{};
    std::string_view caption{};
    std::string_view tooltip{};
    FontSpec font{};
    ItemList items = ItemList::None;
    bool visible = true;
    bool enabled = true;
    // Text boxes: the most characters the box takes; 0 for no limit.
    int maxLength = 0;
    // Labels: the caption centred across the rectangle instead of from its left.
    bool centred = false;
    // Buttons: drawn flat on a light-grey face (224, 224, 224) instead of
    // the platform's own button look.
    bool lightGreyFace = false;
    // The setting the control edits: the row a list shows or a box's text,
    // or a check box's value. The widget and the field are one: a change in
    // either is in the other at once.
    std::string RedirectSettings::*text = nullptr;
    int RedirectSettings::*check = nullptr;

    constexpr ControlLayout centredText() const {
        ControlLayout copy = *this;
        copy.centred = true;
        return copy;
    }
    constexpr ControlLayout hidden() const {
        ControlLayout copy = *this;
        copy.visible = false;
        return copy;
    }
    constexpr ControlLayout disabled() const {
        ControlLayout copy = *this;
        copy.enabled = false;
        return copy;
    }
    constexpr ControlLayout onLightGrey() const {
        ControlLayout copy = *this;
        copy.lightGreyFace = true;
        return copy;
    }
    constexpr ControlLayout limitedTo(int characters) const {
        ControlLayout copy = *this;
        copy.maxLength = characters;
        return copy;
    }
    constexpr ControlLayout editing(std::string RedirectSettings::*field) const {
        ControlLayout copy = *this;
        copy.text = field;
        return copy;
    }
    constexpr ControlLayout editing(int RedirectSettings::*field) const {
        ControlLayout copy = *this;
        copy.check = field;
        return copy;
    }
    // Whether the keyboard focus can stop on it. The program's option button
    // only shows a state the program sets; the user does not operate it.
    constexpr bool takesFocus() const {
        return visible && (kind == ControlKind::DropDownList || kind == ControlKind::TextBox ||
                           kind == ControlKind::CheckBox || kind == ControlKind::Button);
    }
};

constexpr ControlLayout label(std::string_view name, TwipRect rect, std::string_view caption,
                              FontSpec font = kArial12) {
    return {
        .name = name, .kind = ControlKind::Label, .rect = rect, .caption = caption, .font = font};
}

constexpr ControlLayout picture(std::string_view name, TwipRect rect) {
    return {.name = name, .kind = ControlKind::Picture, .rect = rect};
}

constexpr ControlLayout dropDownList(std::string_view name, TwipRect rect, ItemList items,
                                     std::string_view tooltip, FontSpec font) {
    return {.name = name,
            .kind = ControlKind::DropDownList,
            .rect = rect,
            .tooltip = tooltip,
            .font = font,
            .items = items};
}

constexpr ControlLayout textBox(std::string_view name, TwipRect rect, std::string_view tooltip,
                                FontSpec font) {
    return {
        .name = name, .kind = ControlKind::TextBox, .rect = rect, .tooltip = tooltip, .font = font};
}

constexpr ControlLayout checkBox(std::string_view name, TwipRect rect, std::string_view caption,
                                 std::string_view tooltip, FontSpec font = kArial12) {
    return {.name = name,
            .kind = ControlKind::CheckBox,
            .rect = rect,
            .caption = caption,
            .tooltip = tooltip,
            .font = font};
}

constexpr ControlLayout button(std::string_view name, TwipRect rect, std::string_view caption,
                               FontSpec font) {
    return {
        .name = name, .kind = ControlKind::Button, .rect = rect, .caption = caption, .font = font};
}

constexpr ControlLayout optionButton(std::string_view name, TwipRect rect, std::string_view caption,
                                     FontSpec font = kArial12) {
    return {.name = name,
            .kind = ControlKind::OptionButton,
            .rect = rect,
            .caption = caption,
            .font = font};
}

constexpr ControlLayout link(std::string_view name, TwipRect rect, std::string_view caption,
                             FontSpec font) {
    return {
        .name = name, .kind = ControlKind::Link, .rect = rect, .caption = caption, .font = font};
}

// What picking a menu item does.
enum class MenuCommand {
    None,
    HelpContents,
    About,
};

// A menu item; the text "-" makes a separator line.
struct MenuItemLayout {
    std::string_view name{};
    std::string_view text{};
    MenuCommand command = MenuCommand::None;

    constexpr bool isSeparator() const { return text == "-"; }
};

struct MenuLayout {
    std::string_view name{};
    std::string_view text{};
    std::span<const MenuItemLayout> items{};
};

// A window: its name and caption, the size of its client area in twips, its
// controls in keyboard focus order (labels and pictures, which the focus
// never stops on, may stand anywhere; the first control lies at the back)
// and its menu bar.
struct WindowLayout {
    std::string_view name{};
    std::string_view caption{};
    int clientWidth = 0;
    int clientHeight = 0;
    std::span<const ControlLayout> controls{};
    std::span<const MenuLayout> menus{};

    // The control named `name`; nullptr when the window has none.
    constexpr const ControlLayout* control(std::string_view controlName) const {
        for (const ControlLayout& c : controls) {
            if (c.name == controlName) {
                return &c;
            }
        }
        return nullptr;
    }
};

}  // namespace vantorix
