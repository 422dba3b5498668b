#include "forms/layout/window_layout.h"

#include <algorithm>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "forms/layout/form1_layout.h"
#include "forms/layout/form2_layout.h"
#include "forms/layout/form3_layout.h"
#include "forms/layout/insertion_tables.h"
#include "settings/redirect_settings.h"

namespace vantorix {
namespace {

const std::vector<const WindowLayout*> kWindows = {&kForm1Layout, &kForm3Layout, &kForm2Layout};

using NamePair = std::pair<std::string, std::string>;

bool overlap(const TwipRect& a, const TwipRect& b) {
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

// Where the windows' controls are drawn into each other on purpose: titles
// over the row below them, labels over the top of their boxes, switches
// stacked closer than they are tall. The About window's background label
// lies behind everything.
std::set<NamePair> overlapsAllowed(const WindowLayout& window) {
    if (&window == &kForm1Layout) {
        return {{"Label9", "Label2"},
                {"Check_ENTER_KEY", "Check_LF_KEY"},
                {"Check_startup", "Check_startrun"}};
    }
    if (&window == &kForm3Layout) {
        return {{"Label9", "Label5"},
                {"Label9", "Combo_EOL"},
                {"Label5", "Combo_EOL"},
                {"Label1", "Label2"},
                {"Label1", "Text_searchfor"},
                {"Label1", "Text_replacewith"},
                {"Label2", "Text_replacewith"},
                {"Label7", "Combo_hotkey1"},
                {"Label10", "Text_hotkey1"},
                {"Label8", "Combo_hotkey2"},
                {"Label11", "Text_hotkey2"},
                {"Check_preamble", "Check_postamble"},
                {"Check_postamble", "Check_replacestring"},
                {"Check_replacestring", "Check_enablehotkey1"},
                {"Check_enablehotkey1", "Check_enablehotkey2"}};
    }
    std::set<NamePair> background;
    for (const ControlLayout& c : window.controls) {
        background.insert({"Label6", std::string(c.name)});
    }
    return background;
}

TEST(WindowLayouts, EveryControlLiesInsideTheClientArea) {
    for (const WindowLayout* window : kWindows) {
        const TwipRect client{0, 0, window->clientWidth, window->clientHeight};
        for (const ControlLayout& c : window->controls) {
            EXPECT_TRUE(c.rect.left >= 0 && c.rect.top >= 0 && c.rect.width > 0 &&
                        c.rect.height > 0 && c.rect.right() <= client.right() &&
                        c.rect.bottom() <= client.bottom())
                << window->name << "." << c.name;
        }
    }
}

TEST(WindowLayouts, VisibleControlsOverlapOnlyWhereTheyAreDrawnIntoEachOther) {
    for (const WindowLayout* window : kWindows) {
        const std::set<NamePair> allowed = overlapsAllowed(*window);
        const std::span<const ControlLayout> controls = window->controls;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                const ControlLayout& a = controls[i];
                const ControlLayout& b = controls[j];
                if (!a.visible || !b.visible || !overlap(a.rect, b.rect)) {
                    continue;
                }
                const NamePair pair{std::string(a.name), std::string(b.name)};
                const NamePair reversed{pair.second, pair.first};
                EXPECT_TRUE(allowed.contains(pair) || allowed.contains(reversed))
                    << window->name << ": " << a.name << " and " << b.name;
            }
        }
    }
}

TEST(WindowLayouts, NamesAreUniqueWithinAWindowAndItsMenus) {
    for (const WindowLayout* window : kWindows) {
        std::set<std::string_view> names;
        for (const ControlLayout& c : window->controls) {
            EXPECT_TRUE(names.insert(c.name).second) << window->name << "." << c.name;
        }
        for (const MenuLayout& menu : window->menus) {
            EXPECT_TRUE(names.insert(menu.name).second) << window->name << "." << menu.name;
            for (const MenuItemLayout& item : menu.items) {
                EXPECT_TRUE(names.insert(item.name).second) << window->name << "." << item.name;
            }
        }
    }
}

std::vector<std::string_view> focusOrder(const WindowLayout& window) {
    std::vector<std::string_view> order;
    for (const ControlLayout& c : window.controls) {
        if (c.takesFocus()) {
            order.push_back(c.name);
        }
    }
    return order;
}

TEST(WindowLayouts, TheAdvancedOptionsWindowKeepsItsFocusOrder) {
    // clang-format off
    const std::vector<std::string_view> expected = {
        "Text_searchfor", "Text_replacewith", "Combo_EOL", "Text_preamble", "Text_postamble",
        "Combo_addpostamble", "Command2", "Command3", "Combo_addpreamble", "Command4",
        "Combo_replacewith", "Command_advanced_options_OK", "Check_preamble", "Check_postamble",
        "Check_replacestring", "Command1", "Combo_searchfor", "Combo_hotkey1",
        "Check_enablehotkey1", "Command5", "Text_hotkey1", "Text_hotkey1_addascii", "Command6",
        "Combo_hotkey_ascii_add", "Combo_hotkey_ascii_add2", "Command7", "Text_hotkey2_addascii",
        "Text_hotkey2", "Command8", "Combo_hotkey2", "Check_enablehotkey2", "Command9",
        "Text_searchfor_user_defined",
    };
    // clang-format on
    EXPECT_EQ(focusOrder(kForm3Layout), expected);
    EXPECT_EQ(focusOrder(kForm2Layout), std::vector<std::string_view>{"Command1"});
}

TEST(WindowLayouts, EachListOffersTheRowsOfWhatItChooses) {
    const std::vector<std::pair<std::string_view, std::span<const std::string>>> lists = {
        {"Combo_portselect", comPortItems()},
        {"Combo_baud", baudItems()},
        {"Combo_parity", parityItems()},
        {"Combo_stop", stopBitItems()},
        {"Combo_length", dataLengthItems()},
        {"Combo_handshake", handshakeItems()},
        {"Combo_EOL", endOfLineItems()},
        {"Combo_hotkey1", hotKeyItems()},
        {"Combo_hotkey2", hotKeyItems()},
        {"Combo_addpreamble", specialKeyItems()},
        {"Combo_addpostamble", specialKeyItems()},
        {"Combo_replacewith", specialKeyItems()},
        {"Combo_searchfor", searchCharacterItems()},
        {"Combo_hotkey_ascii_add", hotKeyCharacterItems()},
        {"Combo_hotkey_ascii_add2", hotKeyCharacterItems()},
    };
    std::size_t found = 0;
    for (const WindowLayout* window : kWindows) {
        for (const ControlLayout& c : window->controls) {
            if (c.kind != ControlKind::DropDownList) {
                EXPECT_EQ(c.items, ItemList::None) << c.name;
                continue;
            }
            const auto wanted = std::find_if(lists.begin(), lists.end(), [&c](const auto& list) {
                return list.first == c.name;
            });
            ASSERT_NE(wanted, lists.end()) << c.name;
            const std::span<const std::string> rows = itemsOf(c.items);
            EXPECT_TRUE(std::ranges::equal(rows, wanted->second)) << c.name;
            ++found;
        }
    }
    EXPECT_EQ(found, lists.size());
}

TEST(WindowLayouts, EachOfThe24SettingsHasOneControlThatCanShowItsDefault) {
    const RedirectSettings defaults;
    std::vector<std::string RedirectSettings::*> texts;
    std::vector<int RedirectSettings::*> checks;
    for (const WindowLayout* window : kWindows) {
        for (const ControlLayout& c : window->controls) {
            if (c.text != nullptr) {
                EXPECT_EQ(std::count(texts.begin(), texts.end(), c.text), 0) << c.name;
                texts.push_back(c.text);
                if (c.kind == ControlKind::DropDownList) {
                    EXPECT_TRUE(contains(itemsOf(c.items), defaults.*c.text)) << c.name;
                } else {
                    EXPECT_EQ(c.kind, ControlKind::TextBox) << c.name;
                }
            }
            if (c.check != nullptr) {
                EXPECT_EQ(std::count(checks.begin(), checks.end(), c.check), 0) << c.name;
                checks.push_back(c.check);
                EXPECT_EQ(c.kind, ControlKind::CheckBox) << c.name;
            }
        }
    }
    EXPECT_EQ(texts.size() + checks.size(), 24u);
}

TEST(WindowLayouts, BothWindowsCarryTheSameHelpMenuUnderTheirOwnNames) {
    ASSERT_EQ(kForm1Layout.menus.size(), 1u);
    ASSERT_EQ(kForm3Layout.menus.size(), 1u);
    const MenuLayout& main = kForm1Layout.menus[0];
    const MenuLayout& advanced = kForm3Layout.menus[0];
    EXPECT_EQ(main.text, advanced.text);
    ASSERT_EQ(main.items.size(), advanced.items.size());
    for (std::size_t i = 0; i < main.items.size(); ++i) {
        EXPECT_EQ(main.items[i].text, advanced.items[i].text) << i;
        EXPECT_EQ(main.items[i].command, advanced.items[i].command) << i;
    }
    std::vector<MenuCommand> commands;
    for (const MenuItemLayout& item : main.items) {
        commands.push_back(item.command);
        EXPECT_EQ(item.isSeparator(), item.command == MenuCommand::None) << item.name;
    }
    EXPECT_EQ(commands, (std::vector<MenuCommand>{MenuCommand::HelpContents, MenuCommand::None,
                                                  MenuCommand::About}));
}

TEST(TwipsToPixels, RoundsToTheNearestPixelWithHalvesAwayFromZero) {
    struct Case {
        int twips;
        int dpi;
        int pixels;
    };
    const std::vector<Case> cases = {
        {0, 96, 0},     {15, 96, 1},      {7, 96, 0},       {8, 96, 1},
        {1215, 96, 81}, {1215, 120, 101}, {1455, 144, 146}, {15, 48, 1},
        {-15, 48, -1},  {-8, 96, -1},     {9210, 96, 614},  {9210, 192, 1228},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
    }
}

}  // namespace
}  // namespace vantorix
