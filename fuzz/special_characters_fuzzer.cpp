// Expands arbitrary text with process_special_characters, and checks the
// lenient number reading behind it against the C library's reading of the same
// decimal number.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/special_characters.h"
#include "fuzz_check.h"

namespace vantorix::fuzz {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isDigit(text[pos])) {
        ++pos;
    }
    return pos;
}

// The decimal number at the start of `text`, read by strtod once the blanks
// that the lenient reading skips are gone and the exponent letter D is written
// as E; nullopt for hexadecimal and octal numbers, which strtod does not read.
std::optional<double> decimalNumberByStrtod(std::string_view text) {
    std::string compact;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            compact += c;
        }
    }
    if (compact.size() >= 2 && compact[0] == '&' &&
        std::string_view("HhOo").find(compact[1]) != std::string_view::npos) {
        return std::nullopt;
    }
    std::size_t pos = compact.starts_with('+') || compact.starts_with('-') ? 1 : 0;
    const std::size_t integerEnd = skipDigits(compact, pos);
    std::size_t end = integerEnd;
    if (end < compact.size() && compact[end] == '.') {
        end = skipDigits(compact, end + 1);
    }
    if (integerEnd == pos && end <= pos + 1) {
        return 0.0;  // no digit before or after the point
    }
    std::string number = compact.substr(0, end);
    if (end + 1 < compact.size() &&
        std::string_view("eEdD").find(compact[end]) != std::string_view::npos) {
        pos = end + 1;
        const std::size_t signs = compact[pos] == '+' || compact[pos] == '-' ? 1 : 0;
        const std::size_t exponentEnd = skipDigits(compact, pos + signs);
        if (exponentEnd > pos + signs) {
            number += 'e';
            number += compact.substr(pos, exponentEnd - pos);
        }
    }
    return std::strtod(number.c_str(), nullptr);
}

void requireSameNumberAsStrtod(std::string_view text) {
    if (const auto expected = decimalNumberByStrtod(text)) {
        require(readLenientNumber(text) == *expected,
                "a decimal number reads as the C library reads it");
    }
}

}  // namespace
}  // namespace vantorix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantorix;
    using namespace vantorix::fuzz;

    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string expanded = input;
    process_special_characters(expanded);

    require(expanded.size() <= input.size(), "a group turns into at most itself");
    const std::size_t open = input.find('{');
    if (open == std::string::npos || input.find('}', open) == std::string::npos) {
        require(expanded == input, "text without a complete group stays as it is");
    }

    requireSameNumberAsStrtod(input);
    // Every group's content, as the expansion reads it.
    for (std::size_t pos = input.find('{'); pos != std::string::npos;
         pos = input.find('{', pos + 1)) {
        const std::size_t close = input.find('}', pos);
        if (close == std::string::npos) {
            break;
        }
        requireSameNumberAsStrtod(std::string_view(input).substr(pos + 1, close - pos));
    }
    return 0;
}
