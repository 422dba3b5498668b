#include "forms/layout/insertion_tables.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace vantorix {
namespace {

struct Row {
    std::string_view text;
    std::string_view token;
};

constexpr std::array<Row, 12> kNamedKeys = {{
    {"Enter", "{ENTER}"},
    {"HOME", "{HOME}"},
    {"TAB", "{TAB}"},
    {"Del", "{DEL}"},
    {"Back Space", "{BS}"},
    {"Down Arrow", "{DOWN}"},
    {"Up Arrow", "{UP}"},
    {"Left Arrow", "{LEFT}"},
    {"Right Arrow", "{RIGHT}"},
    {"ESC", "{ESC}"},
    {"Page Down", "{PGDN}"},
    {"Page Up", "{PGUP}"},
}};

constexpr int kLastFunctionKey = 16;

constexpr std::array<Row, 5> kCharacterCodes = {{
    {"CR", "{13}"},
    {"LFD", "{10}"},
    {"ESC", "{27}"},
    {"TAB", "{09}"},
    {"Back Space", "{08}"},
}};

std::vector<std::string> functionKeyNames() {
    std::vector<std::string> names;
    for (int key = 1; key <= kLastFunctionKey; ++key) {
        // Appended, not concatenated: GCC 12 warns (-Wrestrict) falsely on "F" + string.
        std::string name = "F";
        name += std::to_string(key);
        names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::string> makeSpecialKeyItems() {
    std::vector<std::string> items;
    for (const Row& row : kNamedKeys) {
        items.emplace_back(row.text);
    }
    const std::vector<std::string> functionKeys = functionKeyNames();
    items.insert(items.end(), functionKeys.begin(), functionKeys.end());
    return items;
}

template <std::size_t N>
std::optional<std::string> lookUp(const std::array<Row, N>& table, std::string_view text) {
    const auto* found = std::find_if(table.begin(), table.end(),
                                     [text](const Row& row) { return row.text == text; });
    if (found == table.end()) {
        return std::nullopt;
    }
    return std::string(found->token);
}

}  // namespace

std::span<const std::string> specialKeyItems() {
    static const std::vector<std::string> items = makeSpecialKeyItems();
    return items;
}

std::span<const std::string> searchCharacterItems() {
    static const std::vector<std::string> items = {"CR", "LFD", "ESC", "TAB", "Back Space"};
    return items;
}

std::span<const std::string> hotKeyCharacterItems() {
    static const std::vector<std::string> items = {"CR", "LFD", "ESC", "Back Space", "TAB"};
    return items;
}

std::optional<std::string> namedKeyToken(std::string_view row) {
    static const std::vector<std::string> functionKeys = functionKeyNames();
    if (std::find(functionKeys.begin(), functionKeys.end(), row) != functionKeys.end()) {
        std::string token = "{";
        token.append(row);
        token += '}';
        return token;
    }
    return lookUp(kNamedKeys, row);
}

std::optional<std::string> characterCodeToken(std::string_view row) {
    return lookUp(kCharacterCodes, row);
}

}  // namespace vantorix
