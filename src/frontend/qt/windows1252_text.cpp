#include "frontend/qt/windows1252_text.h"

#include "typing/windows1252.h"

namespace vantorix {

QString fromWindows1252(std::string_view text) {
    return QString::fromStdU32String(decodeWindows1252(text));
}

std::optional<std::string> toWindows1252(const QString& text) {
    std::string bytes;
    for (const char32_t codePoint : text.toStdU32String()) {
        const std::optional<char> byte = encodeWindows1252(codePoint);
        if (!byte) {
            return std::nullopt;
        }
        bytes.push_back(*byte);
    }
    return bytes;
}

QValidator::State Windows1252Validator::validate(QString& input, int& /*position*/) const {
    if (input.contains(QLatin1Char('\r')) || input.contains(QLatin1Char('\n'))) {
        return Invalid;
    }
    return toWindows1252(input) ? Acceptable : Invalid;
}

}  // namespace vantorix
