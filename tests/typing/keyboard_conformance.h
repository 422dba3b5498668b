#pragma once

// The keyboard contract (typing/keyboard.h) as key strings and the text that
// must arrive for each in a window that records what its keys produce. Every
// typing backend runs these against a real window of its platform.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "typing/recording_target.h"
#include "typing/windows1252.h"

namespace vantorix::test {

struct ConformanceCase {
    const char* what;
    std::string keys;
    std::string arrives;
    // What arrives instead while Caps Lock is on and affects the keyboard's
    // letters, where that differs: Shift then gives small letters, as on a
    // keyboard. The program never types the prefixes itself (it writes + ^ %
    // of received and user text in braces); they come only from key strings
    // written by hand.
    std::optional<std::string> arrivesUnderCapsLock = std::nullopt;
};

inline std::string everyPrintableAsciiCharacter() {
    std::string text;
    for (char c = ' '; c <= '~'; ++c) {
        text += c;
    }
    return text;
}

// The printable ASCII characters as a key string: the ten characters of the
// syntax in braces.
inline std::string everyPrintableAsciiKey() {
    std::string keys;
    for (const char c : everyPrintableAsciiCharacter()) {
        const bool special = std::string("{}^+%~()[]").find(c) != std::string::npos;
        keys += special ? std::string("{") + c + "}" : std::string(1, c);
    }
    return keys;
}

// Every letter of Windows-1252 beyond ASCII, as bytes and as the UTF-8 text
// they stand for. Caps Lock must leave them as they are on every keyboard,
// ß and µ (whose capitals are outside Windows-1252) and ÿ included.
inline std::string everyWindows1252Letter() {
    return "\x8a\x8c\x8e\x9a\x9c\x9e\x9f\xaa\xb5\xba\xc0\xc1\xc2\xc3\xc4\xc5"
           "\xc6\xc7\xc8\xc9\xca\xcb\xcc\xcd\xce\xcf\xd0\xd1\xd2\xd3\xd4\xd5"
           "\xd6\xd8\xd9\xda\xdb\xdc\xdd\xde\xdf\xe0\xe1\xe2\xe3\xe4\xe5\xe6"
           "\xe7\xe8\xe9\xea\xeb\xec\xed\xee\xef\xf0\xf1\xf2\xf3\xf4\xf5\xf6"
           "\xf8\xf9\xfa\xfb\xfc\xfd\xfe\xff";
}

inline std::string everyWindows1252LetterAsUtf8() {
    return "ŠŒŽšœžŸªµºÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞßàáâãäåæçèéêëìíîïðñòóôõöøùúûüýþÿ";
}

inline const std::vector<ConformanceCase>& keyboardConformanceCases() {
    static const std::vector<ConformanceCase> cases = {
        {"letters in both cases", "AbCdEfGhIjKlMnOpQrStUvWxYz", "AbCdEfGhIjKlMnOpQrStUvWxYz"},
        {"digits", "0123456789", "0123456789"},
        {"every printable ASCII character", everyPrintableAsciiKey(),
         everyPrintableAsciiCharacter()},
        {"the ten escaped characters", "{}}{{}{^}{+}{%}{~}{(}{)}{[}{]}", "}{^+%~()[]"},
        {"~ is Enter", "a~b", "a\rb"},
        {"TAB and ENTER by name, in either case", "{TAB}x{ENTER}{tab}y{enter}", "\tx\r\ty\r"},
        {"TAB, CR and LF characters", "a\tb\rc\nd", "a\tb\rc\rd"},
        {"e acute as a Windows-1252 byte", "caf\xe9", "caf\xc3\xa9"},
        {"euro sign as a Windows-1252 byte", "5\x80", "5\xe2\x82\xac"},
        {"every Windows-1252 letter", everyWindows1252Letter(), everyWindows1252LetterAsUtf8()},
        {"the same key again straight after its release",
         "A4006381333931\r9988776655443322\r1000000000001\raa{b 3}+(cc)\xdf\xdf",
         "A4006381333931\r9988776655443322\r1000000000001\raabbbCC\xc3\x9f\xc3\x9f",
         "A4006381333931\r9988776655443322\r1000000000001\raabbbcc\xc3\x9f\xc3\x9f"},
        {"repeat counts", "{a 3}{ENTER 2}{+ 2}x{b 0}y", "aaa\r\r++xy"},
        {"Shift gives capitals", "+a+(bc)d", "ABCd", "abcd"},
        {"Control gives control characters", "^a^(bd)e",
         "\x01\x02\x04"
         "e"},
        {"control characters without a key type nothing",
         "a\x07"
         "b",
         "ab"},
    };
    return cases;
}

enum class CapsLockOnLetters { No, Yes };

// Whether a keyboard can produce a Windows-1252 character (as a code point)
// at all. Keyboards bound to the user's layout leave out what the layout
// lacks; an empty predicate stands for a keyboard that produces every one.
using CanProduce = std::function<bool(char32_t)>;

inline std::string utf8Of(char32_t c) {
    if (c < 0x80) {
        return std::string(1, static_cast<char>(c));
    }
    if (c < 0x800) {
        return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    }
    return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F))};
}

// What arrives of `conformanceCase` from a keyboard that leaves out what it
// cannot produce. Only plain text may hold such characters: in a case with
// key syntax, what is left out would not be plain to tell.
inline std::string arrivesWithout(const ConformanceCase& conformanceCase, std::string expected,
                                  const CanProduce& canProduce) {
    for (const char32_t c : decodeWindows1252(conformanceCase.keys)) {
        if (canProduce(c)) {
            continue;
        }
        EXPECT_EQ(conformanceCase.keys.find_first_of("{}^+%~()[]"), std::string::npos)
            << conformanceCase.what << ": a character left out of a case with key syntax";
        const std::string left = utf8Of(c);
        for (auto at = expected.find(left); at != std::string::npos; at = expected.find(left)) {
            expected.erase(at, left.size());
        }
    }
    return expected;
}

// Types every case with `type` (which goes through the emitter, as the
// program does) and checks what arrives in `target`. `capsLock` says whether
// Caps Lock is on and affects the keyboard's letters; `canProduce`, which
// characters the keyboard can type at all.
inline void expectConformance(const std::function<void(const std::string&)>& type,
                              RecordingTarget& target, CapsLockOnLetters capsLock,
                              std::chrono::milliseconds timeout = std::chrono::seconds(10),
                              const CanProduce& canProduce = {}) {
    std::size_t arrived = target.waitForBytes(0, std::chrono::milliseconds(0)).size();
    for (const ConformanceCase& conformanceCase : keyboardConformanceCases()) {
        std::string expected =
            capsLock == CapsLockOnLetters::Yes && conformanceCase.arrivesUnderCapsLock
                ? *conformanceCase.arrivesUnderCapsLock
                : conformanceCase.arrives;
        if (canProduce) {
            expected = arrivesWithout(conformanceCase, expected, canProduce);
        }
        type(conformanceCase.keys);
        const std::string text = target.waitForBytes(arrived + expected.size(), timeout);
        EXPECT_EQ(text.substr(std::min(arrived, text.size())), expected) << conformanceCase.what;
        arrived = text.size();
    }
}

}  // namespace vantorix::test
