// Transforms arbitrary received text under settings drawn from the input: the
// switches, the texts, the end-of-line mode and the indicator.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/advanced_transform.h"
#include "core/key_translation.h"
#include "core/special_characters.h"
#include "fuzz_check.h"
#include "fuzz_settings.h"
#include "typed_keys.h"

namespace vantorix::fuzz {
namespace {

unsigned char foldedByReference(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<unsigned char>(c | 0x20);
    }
    switch (c) {
        case 0x8A:
        case 0x8C:
        case 0x8E:
            return static_cast<unsigned char>(c + 0x10);
        case 0x9F:
            return 0xFF;
        default:
            return c;
    }
}

bool matchesIgnoringCase(std::string_view text, std::size_t at, std::string_view search) {
    if (text.size() - at < search.size()) {
        return false;
    }
    for (std::size_t i = 0; i < search.size(); ++i) {
        if (foldedByReference(static_cast<unsigned char>(text[at + i])) !=
            foldedByReference(static_cast<unsigned char>(search[i]))) {
            return false;
        }
    }
    return true;
}

// Replace String the plain way: try a match at every position, left to right.
std::string replacedByReference(std::string_view text, std::string_view search,
                                std::string_view replacement) {
    if (search.empty()) {
        return std::string(text);
    }
    std::string result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (matchesIgnoringCase(text, pos, search)) {
            result += replacement;
            pos += search.size();
        } else {
            result += text[pos++];
        }
    }
    return result;
}

std::string escapedUserText(std::string text) {
    escapeUserText(text);
    return text;
}

}  // namespace
}  // namespace vantorix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantorix;
    using namespace vantorix::fuzz;

    FuzzedDataProvider input(data, size);
    RedirectSettings settings;
    const bool advancedActive = input.ConsumeBool();
    settings.Check_ENTER_KEY = checkValue(input);
    settings.Check_LF_KEY = checkValue(input);
    settings.Check_preamble = checkValue(input);
    settings.Check_postamble = checkValue(input);
    settings.Check_replacestring = checkValue(input);
    settings.Combo_EOL = endOfLineMode(input);
    settings.Text_preamble = input.ConsumeRandomLengthString(24);
    settings.Text_postamble = input.ConsumeRandomLengthString(24);
    settings.Text_searchfor = input.ConsumeRandomLengthString(24);
    settings.Text_replacewith = input.ConsumeRandomLengthString(24);
    const std::string received = input.ConsumeRemainingBytesAsString();

    std::string keys = received;
    process_advanced_options_string(keys, settings, advancedActive);

    // The received part of the key string lies between the pre-amble and the
    // post-amble, which are escaped but not filtered.
    std::string_view middle = keys;
    if (advancedActive && isOn(settings.Check_preamble)) {
        const std::string preamble = escapedUserText(settings.Text_preamble);
        require(middle.starts_with(preamble), "the key string starts with the pre-amble");
        middle.remove_prefix(preamble.size());
    }
    if (advancedActive && isOn(settings.Check_postamble)) {
        const std::string postamble = escapedUserText(settings.Text_postamble);
        require(middle.ends_with(postamble), "the key string ends with the post-amble");
        middle.remove_suffix(postamble.size());
    }
    require(isPrintableAscii(middle), "the received part of a key string is printable ASCII");

    std::string escaped = received;
    escapeKeySyntax(escaped);
    std::string search = settings.Text_searchfor;
    process_special_characters(search);
    const bool replaces = advancedActive && isOn(settings.Check_replacestring);
    const std::string replacement = escapedUserText(settings.Text_replacewith);

    std::string replaced = escaped;
    replaceIgnoringCase(replaced, search, replacement);
    require(replaced == replacedByReference(escaped, search, replacement),
            "Replace String replaces every match left to right, without overlaps");

    std::string expectedMiddle = replaces ? replaced : escaped;
    translateLineEndsAndFilter(expectedMiddle, settings);
    require(middle == expectedMiddle, "the received part is the escaped, replaced, filtered text");

    if (!replaces || replaced == escaped) {
        // Nothing was replaced: typing the key string types what was received.
        std::vector<KeyAction> typed;
        readSoundly(middle, typed);
        require(typed == keysForReceivedText(received, settings),
                "typing the translation types the received text");
    }
    return 0;
}
