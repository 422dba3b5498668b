// Reads arbitrary bytes as vantorix.cfg: every field must end up holding a value
// it may hold, and what the reader made of the file must survive a write and a
// second read unchanged.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "settings/config_file.h"
#include "settings/redirect_settings.h"

namespace vantorix::fuzz {
namespace {

void requireChoice(std::span<const std::string> items, const std::string& value,
                   std::string_view field) {
    require(contains(items, value), field);
}

void requireCheck(int value, std::string_view field) {
    require(value >= 0 && value <= 2, field);
}

void requireSingleLine(const std::string& text, std::string_view field) {
    require(text.find_first_of("\r\n") == std::string::npos, field);
}

void requireFieldsInRange(const RedirectSettings& s) {
    require(isValidPort(s.Combo_portselect), "the port is a COM item or a device path");
    requireChoice(baudItems(), s.Combo_baud, "the baud rate is an item of its list");
    requireChoice(parityItems(), s.Combo_parity, "the parity is an item of its list");
    requireChoice(stopBitItems(), s.Combo_stop, "the stop bits are an item of their list");
    requireChoice(dataLengthItems(), s.Combo_length, "the data length is an item of its list");
    requireChoice(handshakeItems(), s.Combo_handshake, "the handshake is an item of its list");
    requireChoice(endOfLineItems(), s.Combo_EOL, "the end of line is an item of its list");
    requireChoice(hotKeyItems(), s.Combo_hotkey1, "hot key 1 is an item of its list");
    requireChoice(hotKeyItems(), s.Combo_hotkey2, "hot key 2 is an item of its list");
    for (const int check : {s.Check_ENTER_KEY, s.Check_LF_KEY, s.Check_preamble, s.Check_postamble,
                            s.Check_replacestring, s.Check_startup, s.Check_startrun,
                            s.Check_enablehotkey1, s.Check_enablehotkey2}) {
        requireCheck(check, "check fields hold 0, 1 or 2");
    }
    for (const std::string* text : {&s.Text_preamble, &s.Text_postamble, &s.Text_searchfor,
                                    &s.Text_replacewith, &s.Text_hotkey1, &s.Text_hotkey2}) {
        requireSingleLine(*text, "text fields hold no line break");
    }
}

// The program's own file: 24 records, each ended by CR LF, and no comma, since a
// comma would split a record in two when the file is read back.
void requireWellFormedFile(const std::string& file) {
    std::size_t records = 0;
    for (std::size_t i = 0; i < file.size(); ++i) {
        require(file[i] != ',', "a written file holds no comma");
        if (file[i] == '\r') {
            require(i + 1 < file.size() && file[i + 1] == '\n',
                    "every CR of a written file ends a record");
            ++records;
            ++i;
        } else {
            require(file[i] != '\n', "a written file holds no LF outside CR LF");
        }
    }
    require(records == 24, "a written file holds 24 records");
    require(file.size() >= 2 && file.ends_with("\r\n"), "the last record is ended too");
}

}  // namespace
}  // namespace vantorix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantorix;
    using namespace vantorix::fuzz;

    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    RedirectSettings settings;
    readConfig(file, settings);
    requireFieldsInRange(settings);

    std::ostringstream written;
    writeConfig(written, settings);
    requireWellFormedFile(written.str());

    std::istringstream writtenFile(written.str());
    RedirectSettings reread;
    readConfig(writtenFile, reread);
    require(reread == settings, "what was read survives a write and a second read");
    return 0;
}
