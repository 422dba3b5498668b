#include "core/key_translation.h"

#include <string_view>
#include <utility>

namespace vantorix {
namespace {

void wrapInBraces(std::string& text, std::string_view specials) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        if (specials.find(c) != std::string_view::npos) {
            out += '{';
            out += c;
            out += '}';
        } else {
            out += c;
        }
    }
    text = std::move(out);
}

void translateLineEnd(std::string& text, char lineEnd, bool toEnter) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c != lineEnd) {
            out += c;
        } else if (toEnter) {
            out += '~';
        }
    }
    text = std::move(out);
}

}  // namespace

void escapeKeySyntax(std::string& text) {
    wrapInBraces(text, "}{^+%~()[]");
}

void escapeUserText(std::string& text) {
    wrapInBraces(text, "+^%~()[]");
}

void translateLineFeeds(std::string& text, bool toEnter) {
    translateLineEnd(text, '\n', toEnter);
}

void translateCarriageReturns(std::string& text, bool toEnter) {
    translateLineEnd(text, '\r', toEnter);
}

void filterPrintable(std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 32 && code <= 126) {
            out += c;
        } else if (c == '\t') {
            out += "{TAB}";
        }
    }
    text = std::move(out);
}

void translateLineEndsAndFilter(std::string& text, const RedirectSettings& settings) {
    translateLineFeeds(text, isOn(settings.Check_LF_KEY));
    translateCarriageReturns(text, isOn(settings.Check_ENTER_KEY));
    filterPrintable(text);
}

void translateReceivedText(std::string& text, const RedirectSettings& settings) {
    escapeKeySyntax(text);
    translateLineEndsAndFilter(text, settings);
}

}  // namespace vantorix
