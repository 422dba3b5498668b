#include "core/advanced_transform.h"

#include <utility>

#include "core/key_translation.h"
#include "core/special_characters.h"

namespace vantorix {
namespace {

// Lower case in Windows-1252: A-Z, the accented capitals (but the
// multiplication sign), and the four capitals placed among 0x80-0x9F.
char foldCase(char c) {
    const auto code = static_cast<unsigned char>(c);
    if ((code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDE && code != 0xD7)) {
        return static_cast<char>(code + 0x20);
    }
    switch (code) {
        case 0x8A:  // S with caron
        case 0x8C:  // OE
        case 0x8E:  // Z with caron
            return static_cast<char>(code + 0x10);
        case 0x9F:  // Y with diaeresis
            return static_cast<char>(0xFF);
        default:
            return c;
    }
}

std::string foldedCopy(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        c = foldCase(c);
    }
    return folded;
}

}  // namespace

void replaceIgnoringCase(std::string& text, std::string_view search, std::string_view replacement) {
    if (search.empty()) {
        return;
    }
    const std::string foldedText = foldedCopy(text);
    const std::string foldedSearch = foldedCopy(search);
    std::size_t match = foldedText.find(foldedSearch);
    if (match == std::string::npos) {
        return;
    }
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (match != std::string::npos) {
        result.append(text, pos, match - pos);
        result.append(replacement);
        pos = match + search.size();
        match = foldedText.find(foldedSearch, pos);
    }
    result.append(text, pos);
    text = std::move(result);
}

void process_advanced_options_string(std::string& rx_received, const RedirectSettings& settings,
                                     bool advancedActive) {
    escapeKeySyntax(rx_received);

    if (advancedActive && isOn(settings.Check_replacestring)) {
        std::string search = settings.Text_searchfor;
        process_special_characters(search);
        std::string replacement = settings.Text_replacewith;
        escapeUserText(replacement);
        replaceIgnoringCase(rx_received, search, replacement);
    }

    translateLineEndsAndFilter(rx_received, settings);

    if (advancedActive && isOn(settings.Check_preamble)) {
        std::string preamble = settings.Text_preamble;
        escapeUserText(preamble);
        rx_received.insert(0, preamble);
    }
    if (advancedActive && isOn(settings.Check_postamble)) {
        std::string postamble = settings.Text_postamble;
        escapeUserText(postamble);
        rx_received += postamble;
    }
}

}  // namespace vantorix
