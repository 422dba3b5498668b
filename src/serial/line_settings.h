#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantorix {

enum class Parity { None, Even, Odd, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };

// The line settings a settings text asks for. Whether a device can take
// them (5 to 8 data bits, 1.5 stop bits, the baud rate) is for the port
// control to decide.
struct LineSettings {
    std::int32_t baud = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;

    bool operator==(const LineSettings&) const = default;
};

// Reads "baud,parity letter,data bits,stop bits", for example "19200,E,7,2":
// a positive whole baud rate, one of the letters N, E, O, M, S (either case),
// 4 to 8 data bits and 1, 1.5 or 2 stop bits, with nothing else around them.
// Empty when the text is not of that form.
std::optional<LineSettings> parseLineSettings(std::string_view text);

}  // namespace vantorix
