#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vantorix::test {

// The rows of the insertion lists, in list order, with the token each appends.
using TokenRows = std::vector<std::pair<std::string, std::string>>;

inline const TokenRows kNamedKeyRows = {
    {"Enter", "{ENTER}"}, {"HOME", "{HOME}"},       {"TAB", "{TAB}"},
    {"Del", "{DEL}"},     {"Back Space", "{BS}"},   {"Down Arrow", "{DOWN}"},
    {"Up Arrow", "{UP}"}, {"Left Arrow", "{LEFT}"}, {"Right Arrow", "{RIGHT}"},
    {"ESC", "{ESC}"},     {"Page Down", "{PGDN}"},  {"Page Up", "{PGUP}"},
    {"F1", "{F1}"},       {"F2", "{F2}"},           {"F3", "{F3}"},
    {"F4", "{F4}"},       {"F5", "{F5}"},           {"F6", "{F6}"},
    {"F7", "{F7}"},       {"F8", "{F8}"},           {"F9", "{F9}"},
    {"F10", "{F10}"},     {"F11", "{F11}"},         {"F12", "{F12}"},
    {"F13", "{F13}"},     {"F14", "{F14}"},         {"F15", "{F15}"},
    {"F16", "{F16}"},
};

// The search list; the hot-key lists hold the same rows with "TAB" last.
inline const TokenRows kSearchCharacterRows = {
    {"CR", "{13}"}, {"LFD", "{10}"}, {"ESC", "{27}"}, {"TAB", "{09}"}, {"Back Space", "{08}"},
};
inline const TokenRows kHotKeyCharacterRows = {
    {"CR", "{13}"}, {"LFD", "{10}"}, {"ESC", "{27}"}, {"Back Space", "{08}"}, {"TAB", "{09}"},
};

inline std::vector<std::string> rowsOf(const TokenRows& rows) {
    std::vector<std::string> texts;
    for (const auto& row : rows) {
        texts.push_back(row.first);
    }
    return texts;
}

}  // namespace vantorix::test
