#include "settings/config_file.h"

#include "settings/file_replacement.h"

#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <system_error>
#include <variant>
#include <vector>

namespace vantorix {
namespace {

constexpr std::string_view kStoredComma = "{c}";

enum class Kind { Choice, Check, Text };

// One record of the file: which field it holds, of which kind, which values
// a choice accepts, and whether "{c}" stands for a comma in it when reading.
// (Every text record is escaped when writing; hot-key items never hold a
// comma, so they are not unescaped.)
struct Record {
    Kind kind;
    std::variant<std::string RedirectSettings::*, int RedirectSettings::*> field;
    bool (*accepts)(std::string_view) = nullptr;
    bool unescapeOnRead = false;
};

using S = RedirectSettings;

template <std::span<const std::string> (*items)()>
bool isItemOf(std::string_view value) {
    return contains(items(), value);
}

const std::array<Record, 24>& records() {
    static const std::array<Record, 24> table = {{
        {Kind::Choice, &S::Combo_portselect, isValidPort},
        {Kind::Choice, &S::Combo_baud, isItemOf<baudItems>},
        {Kind::Choice, &S::Combo_parity, isItemOf<parityItems>},
        {Kind::Choice, &S::Combo_stop, isItemOf<stopBitItems>},
        {Kind::Choice, &S::Combo_length, isItemOf<dataLengthItems>},
        {Kind::Choice, &S::Combo_handshake, isItemOf<handshakeItems>},
        {Kind::Check, &S::Check_ENTER_KEY},
        {Kind::Check, &S::Check_LF_KEY},
        {Kind::Choice, &S::Combo_EOL, isItemOf<endOfLineItems>, true},
        {Kind::Text, &S::Text_preamble, nullptr, true},
        {Kind::Text, &S::Text_postamble, nullptr, true},
        {Kind::Text, &S::Text_searchfor, nullptr, true},
        {Kind::Text, &S::Text_replacewith, nullptr, true},
        {Kind::Check, &S::Check_preamble},
        {Kind::Check, &S::Check_postamble},
        {Kind::Check, &S::Check_replacestring},
        {Kind::Check, &S::Check_startup},
        {Kind::Check, &S::Check_startrun},
        {Kind::Choice, &S::Combo_hotkey1, isItemOf<hotKeyItems>},
        {Kind::Choice, &S::Combo_hotkey2, isItemOf<hotKeyItems>},
        {Kind::Text, &S::Text_hotkey1, nullptr, true},
        {Kind::Text, &S::Text_hotkey2, nullptr, true},
        {Kind::Check, &S::Check_enablehotkey1},
        {Kind::Check, &S::Check_enablehotkey2},
    }};
    return table;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit = text.find(from); hit != std::string_view::npos;
         hit = text.find(from, pos)) {
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<int> parseCheckValue(std::string_view text) {
    text = trimBlanks(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < 0 ||
        value > 2) {
        return std::nullopt;
    }
    return value;
}

// The values of the file: split at every line end (CR LF, LF or CR) and at
// every comma.
std::vector<std::string> splitValues(std::istream& in) {
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> values;
    std::string current;
    bool pendingValue = false;
    for (std::size_t i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c == '\r' || c == '\n' || c == ',') {
            values.push_back(std::move(current));
            current.clear();
            pendingValue = false;
            if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') {
                ++i;
            }
        } else {
            current += c;
            pendingValue = true;
        }
    }
    if (pendingValue) {
        values.push_back(std::move(current));  // a last line without its line end
    }
    return values;
}

void assign(const Record& record, std::string_view value, RedirectSettings& settings) {
    std::string text =
        record.unescapeOnRead ? replaceAll(value, kStoredComma, ",") : std::string(value);
    switch (record.kind) {
        case Kind::Check:
            if (const auto check = parseCheckValue(text)) {
                settings.*std::get<int S::*>(record.field) = *check;
            }
            break;
        case Kind::Choice: {
            const std::string_view choice = trimBlanks(text);
            if (record.accepts(choice)) {
                settings.*std::get<std::string S::*>(record.field) = std::string(choice);
            }
            break;
        }
        case Kind::Text:
            // Leading blanks are kept: a pre-amble of a single blank is a real setting.
            settings.*std::get<std::string S::*>(record.field) = std::move(text);
            break;
    }
}

std::string storedValue(const Record& record, const RedirectSettings& settings) {
    if (record.kind == Kind::Check) {
        return std::to_string(settings.*std::get<int S::*>(record.field));
    }
    return replaceAll(settings.*std::get<std::string S::*>(record.field), ",", kStoredComma);
}

}  // namespace

void readConfig(std::istream& in, RedirectSettings& settings) {
    const std::vector<std::string> values = splitValues(in);
    const std::size_t count = std::min(values.size(), records().size());
    for (std::size_t i = 0; i < count; ++i) {
        assign(records()[i], values[i], settings);
    }
}

void writeConfig(std::ostream& out, const RedirectSettings& settings) {
    for (const Record& record : records()) {
        out << storedValue(record, settings) << "\r\n";
    }
}

void loadConfigFile(const std::string& path, RedirectSettings& settings) {
    std::ifstream in(path, std::ios::binary);
    if (in) {
        readConfig(in, settings);
    }
}

bool saveConfigFile(const std::string& path, const RedirectSettings& settings) {
    return replaceFile(path, [&settings](std::ostream& out) { writeConfig(out, settings); });
}

}  // namespace vantorix
