// Reads arbitrary key strings. Reading never fails; besides, the reader must
// agree with the two things the rest of the program builds on: escaped received
// text types exactly what was received, and swapping the case of the letters
// (the Caps Lock measure) changes nothing but the case of the typed letters.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "typing/key_string_reader.h"
#include "core/key_translation.h"
#include "core/keystroke_emitter.h"
#include "typing/windows1252.h"
#include "fuzz_check.h"
#include "typed_keys.h"

namespace vantorix::fuzz {
namespace {

char32_t swappedLetterCase(char32_t c) {
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 'A';
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A' + 'a';
    }
    return c;
}

bool holdsKeySyntax(std::string_view keys) {
    return keys.find_first_of("+^%()~{}") != std::string_view::npos;
}

bool holdsModifier(std::string_view keys) {
    return keys.find_first_of("+^%") != std::string_view::npos;
}

}  // namespace
}  // namespace vantorix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantorix;
    using namespace vantorix::fuzz;

    const std::string keys(reinterpret_cast<const char*>(data), size);
    const std::vector<KeyAction> actions = readKeyString(keys);
    requireSoundReading(keys, actions);

    std::vector<KeyAction> reused(3, namedKey(NamedKey::F16));
    readKeyString(keys, reused);
    require(reused == actions, "reading into a used vector replaces its content");

    if (!holdsKeySyntax(keys)) {
        require(actions.size() == keys.size(), "text without key syntax types byte by byte");
        for (std::size_t i = 0; i < keys.size(); ++i) {
            require(actions[i] == characterKey(decodeWindows1252(keys[i])),
                    "text without key syntax types its own characters");
        }
    }
    if (!holdsModifier(keys)) {
        for (const KeyAction& action : actions) {
            require(action.modifiers == Modifiers{}, "only + ^ % hold modifiers down");
        }
    }

    std::vector<KeyAction> expectedSwapped = actions;
    for (KeyAction& action : expectedSwapped) {
        if (action.kind == KeyAction::Kind::Character) {
            action.character = swappedLetterCase(action.character);
        }
    }
    require(readKeyString(swapLetterCase(keys)) == expectedSwapped,
            "swapping letter case swaps the typed letters and nothing else");

    // The same bytes as received text, translated as the simple path does.
    RedirectSettings settings;
    settings.Check_ENTER_KEY = 1;
    std::string translated = keys;
    translateReceivedText(translated, settings);
    std::vector<KeyAction> typed;
    readSoundly(translated, typed);
    require(typed == keysForReceivedText(keys, settings),
            "escaped received text types exactly what was received");
    return 0;
}
