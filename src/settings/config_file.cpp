#include "settings/config_file.h"

#include "settings/file_replacement.h"

#include <array>
#include <cerrno>
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

// No value the program writes comes near this (a text box holds 32767
// characters, and a comma is stored in three); a longer one is no setting,
// and keeping it would let a damaged file fill the memory.
constexpr std::size_t kLongestValue = 1024 * 1024;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The next value of the file: up to a line end (CR LF, LF or CR) or a comma.
// nullopt at the end of the file; `tooLong` when the value was longer than
// kLongestValue (the rest of it is read past, not kept).
std::optional<std::string> nextValue(std::streambuf& in, bool& tooLong) {
    using Traits = std::streambuf::traits_type;
    std::string value;
    tooLong = false;
    bool any = false;
    for (int c = in.sbumpc(); c != Traits::eof(); c = in.sbumpc()) {
        if (c == '\r' || c == '\n' || c == ',') {
            if (c == '\r' && in.sgetc() == '\n') {
                in.sbumpc();
            }
            return value;
        }
        any = true;
        if (value.size() < kLongestValue) {
            value += Traits::to_char_type(c);
        } else {
            tooLong = true;
        }
    }
    if (any) {
        return value;  // a last line without its line end
    }
    return std::nullopt;
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

std::string withoutLineBreaks(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

std::string storedValue(const Record& record, const RedirectSettings& settings) {
    if (record.kind == Kind::Check) {
        return std::to_string(settings.*std::get<int S::*>(record.field));
    }
    return replaceAll(withoutLineBreaks(settings.*std::get<std::string S::*>(record.field)), ",",
                      kStoredComma);
}

std::string absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

std::string kindOfFile(std::filesystem::file_type type) {
    switch (type) {
        case std::filesystem::file_type::directory:
            return "a folder";
        case std::filesystem::file_type::fifo:
            return "a pipe";
        case std::filesystem::file_type::block:
        case std::filesystem::file_type::character:
            return "a device";
        default:
            return "not a regular file";
    }
}

SettingsFileResult notAFile(const std::string& path, std::filesystem::file_type type) {
    return {false, "The settings file " + absolute(path) + " is " + kindOfFile(type) +
                       ", not a file. Vantorix uses the default settings and does not save "
                       "them there."};
}

SettingsFileResult unreadable(const std::string& path, const std::error_code& error) {
    return {false, "The settings file " + absolute(path) + " cannot be read (" + error.message() +
                       "). Vantorix uses the default settings and does not save over the file, "
                       "so the settings in it are kept."};
}

}  // namespace

void readConfig(std::istream& in, RedirectSettings& settings) {
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < records().size(); ++i) {
        bool tooLong = false;
        std::optional<std::string> value = nextValue(*buffer, tooLong);
        if (!value) {
            return;
        }
        if (i == 0 && value->starts_with(kByteOrderMark)) {
            value->erase(0, kByteOrderMark.size());  // editors on Windows begin a file with it
        }
        if (!tooLong) {
            assign(records()[i], *value, settings);
        }
    }
}

void writeConfig(std::ostream& out, const RedirectSettings& settings) {
    for (const Record& record : records()) {
        out << storedValue(record, settings) << "\r\n";
    }
}

SettingsFileResult loadConfigFile(const std::string& path, RedirectSettings& settings) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return {};
    }
    if (error) {
        return unreadable(path, error);
    }
    // A folder or a device cannot be read as a file, and opening a pipe waits
    // for a writer that may never come.
    if (!std::filesystem::is_regular_file(status)) {
        return notAFile(path, status.type());
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return unreadable(path, lastFileError());
    }
    RedirectSettings read = settings;
    try {
        readConfig(in, read);
    } catch (const std::exception&) {
        return unreadable(path, std::make_error_code(std::errc::io_error));
    }
    settings = std::move(read);
    return {};
}

SettingsFileResult saveConfigFile(const std::string& path, const RedirectSettings& settings,
                                  const FileMover& move) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        return notAFile(path, status.type());
    }
    if (!replaceFile(
            path, [&settings](std::ostream& out) { writeConfig(out, settings); }, error, move)) {
        return {false, "The settings could not be saved in " + absolute(path) + " (" +
                           error.message() + "). The file keeps the settings it had."};
    }
    return {};
}

SettingsFileResult ConfigFile::load(RedirectSettings& settings) {
    SettingsFileResult result = loadConfigFile(path_, settings);
    keepAsItIs_ = !result.ok;
    return result;
}

SettingsFileResult ConfigFile::save(const RedirectSettings& settings) {
    std::error_code ignored;
    if (keepAsItIs_ && std::filesystem::is_regular_file(path_, ignored)) {
        return {false, "The settings were not saved: " + absolute(path_) +
                           " could not be read at start, and saving would replace the settings "
                           "in it."};
    }
    return saveConfigFile(path_, settings, move_);
}

}  // namespace vantorix
