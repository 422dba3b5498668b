#include "serial/line_settings.h"

#include <charconv>
#include <vector>

namespace vantorix {
namespace {

std::vector<std::string_view> splitAtCommas(std::string_view text) {
    std::vector<std::string_view> fields;
    for (std::size_t comma; (comma = text.find(',')) != std::string_view::npos;) {
        fields.push_back(text.substr(0, comma));
        text.remove_prefix(comma + 1);
    }
    fields.push_back(text);
    return fields;
}

std::optional<std::int32_t> parseBaud(std::string_view text) {
    std::int32_t baud = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, baud);
    if (error != std::errc{} || stop != end || baud <= 0) {
        return std::nullopt;
    }
    return baud;
}

std::optional<Parity> parseParity(std::string_view text) {
    if (text.size() != 1) {
        return std::nullopt;
    }
    switch (text.front()) {
        case 'N':
        case 'n':
            return Parity::None;
        case 'E':
        case 'e':
            return Parity::Even;
        case 'O':
        case 'o':
            return Parity::Odd;
        case 'M':
        case 'm':
            return Parity::Mark;
        case 'S':
        case 's':
            return Parity::Space;
        default:
            return std::nullopt;
    }
}

std::optional<int> parseDataBits(std::string_view text) {
    if (text.size() != 1 || text.front() < '4' || text.front() > '8') {
        return std::nullopt;
    }
    return text.front() - '0';
}

std::optional<StopBits> parseStopBits(std::string_view text) {
    if (text == "1") {
        return StopBits::One;
    }
    if (text == "1.5") {
        return StopBits::OneAndHalf;
    }
    if (text == "2") {
        return StopBits::Two;
    }
    return std::nullopt;
}

}  // namespace

std::optional<LineSettings> parseLineSettings(std::string_view text) {
    const std::vector<std::string_view> fields = splitAtCommas(text);
    if (fields.size() != 4) {
        return std::nullopt;
    }
    const auto baud = parseBaud(fields[0]);
    const auto parity = parseParity(fields[1]);
    const auto dataBits = parseDataBits(fields[2]);
    const auto stopBits = parseStopBits(fields[3]);
    if (!baud || !parity || !dataBits || !stopBits) {
        return std::nullopt;
    }
    return LineSettings{*baud, *parity, *dataBits, *stopBits};
}

}  // namespace vantorix
