#include "core/special_characters.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace vantorix {
namespace {

bool isSkippedBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// The text without the blanks that the lenient reading ignores.
std::string withoutBlanks(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (const char c : text) {
        if (!isSkippedBlank(c)) {
            compact += c;
        }
    }
    return compact;
}

bool isDigitOfBase(char c, int base) {
    if (base == 16) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    }
    if (base == 8) {
        return c >= '0' && c <= '7';
    }
    return c >= '0' && c <= '9';
}

double readRadixNumber(std::string_view digits, int base) {
    std::size_t length = 0;
    while (length < digits.size() && isDigitOfBase(digits[length], base)) {
        ++length;
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + length, value, base);
    if (error != std::errc{} || end == digits.data()) {
        return 0;
    }
    // Values that fit a 16- or 32-bit word read as that word's signed value.
    if (value <= 0xFFFF) {
        return static_cast<std::int16_t>(value);
    }
    if (value <= 0xFFFFFFFF) {
        return static_cast<std::int32_t>(value);
    }
    return static_cast<double>(value);
}

std::size_t skipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isDigitOfBase(text[pos], 10)) {
        ++pos;
    }
    return pos;
}

// Where the first significant digit of `mantissa` (digits with at most one
// point, not all zeros) stands: 0 for the units, 1 for the tens, -1 for tenths.
long long leadingDigitPlace(std::string_view mantissa) {
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    return first < point ? static_cast<long long>(point - first) - 1
                         : -static_cast<long long>(first - point);
}

// Whether a number that a double cannot hold is too small for it rather than too
// large: its first significant digit stands after the point once the exponent
// (digits after an optional sign, or nothing) is applied.
bool isTooSmallForDouble(std::string_view mantissa, std::string_view exponent) {
    if (exponent.starts_with('+')) {
        exponent.remove_prefix(1);
    }
    long long power = 0;
    const auto [end, error] =
        std::from_chars(exponent.data(), exponent.data() + exponent.size(), power);
    if (error == std::errc::result_out_of_range) {
        return exponent.starts_with('-');
    }
    return power < -leadingDigitPlace(mantissa);
}

double readDecimalNumber(std::string_view text) {
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    const std::size_t mantissaStart = pos;
    pos = skipDigits(text, pos);
    if (pos < text.size() && text[pos] == '.') {
        pos = skipDigits(text, pos + 1);
    }
    if (pos == mantissaStart || (pos == mantissaStart + 1 && text[mantissaStart] == '.')) {
        return 0;  // no digits at all
    }
    const std::string_view mantissa = text.substr(mantissaStart, pos - mantissaStart);
    std::string_view exponent;
    std::string number(text.substr(0, pos));
    if (pos < text.size() &&
        (text[pos] == 'e' || text[pos] == 'E' || text[pos] == 'd' || text[pos] == 'D')) {
        std::size_t exponentPos = pos + 1;
        if (exponentPos < text.size() && (text[exponentPos] == '+' || text[exponentPos] == '-')) {
            ++exponentPos;
        }
        const std::size_t exponentEnd = skipDigits(text, exponentPos);
        if (exponentEnd > exponentPos) {
            exponent = text.substr(pos + 1, exponentEnd - pos - 1);
            number += 'e';
            number += exponent;
        }
    }
    if (number.front() == '+') {
        number.erase(0, 1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        const bool negative = number.front() == '-';
        if (isTooSmallForDouble(mantissa, exponent)) {
            return negative ? -0.0 : 0.0;
        }
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    return error == std::errc{} ? value : 0;
}

}  // namespace

double readLenientNumber(std::string_view text) {
    const std::string compact = withoutBlanks(text);
    const std::string_view view = compact;
    if (view.size() >= 2 && view[0] == '&') {
        if (view[1] == 'H' || view[1] == 'h') {
            return readRadixNumber(view.substr(2), 16);
        }
        if (view[1] == 'O' || view[1] == 'o') {
            return readRadixNumber(view.substr(2), 8);
        }
    }
    return readDecimalNumber(view);
}

std::optional<unsigned char> characterCode(double number) {
    if (!std::isfinite(number)) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(number);  // the default mode rounds halves to even
    if (rounded < 0 || rounded > 255) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(rounded);
}

void process_special_characters(std::string& input_String) {
    const std::string_view input = input_String;
    std::string result;
    result.reserve(input.size());
    std::size_t pos = 0;
    while (pos < input.size()) {
        const std::size_t open = input.find('{', pos);
        const std::size_t close = open == std::string_view::npos ? open : input.find('}', open);
        if (close == std::string_view::npos) {
            break;  // no complete group left: the rest stays as it is
        }
        result.append(input.substr(pos, open - pos));
        const std::string_view group = input.substr(open, close - open + 1);
        if (const auto code = characterCode(readLenientNumber(group.substr(1)))) {
            result += static_cast<char>(*code);
        } else {
            result.append(group);
        }
        pos = close + 1;
    }
    result.append(input.substr(pos));
    input_String = std::move(result);
}

}  // namespace vantorix
