#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantorix {

// Every option the user can set and that survives a restart, one field per
// control of the two windows and named after it, in the order of the
// configuration file. One live instance is the store: the windows bind their
// widgets to it and every reader takes a field's value at the moment of use.
//
// Choice fields hold the text of one item of their list; check fields hold a
// small integer and count as on only when they equal 1; text fields hold free
// single-byte text without line breaks.
struct RedirectSettings {
    std::string Combo_portselect = "COM1";
    std::string Combo_baud = "9600";
    std::string Combo_parity = "None";
    std::string Combo_stop = "1";
    std::string Combo_length = "8 bits";
    std::string Combo_handshake = "None";
    int Check_ENTER_KEY = 0;
    int Check_LF_KEY = 0;
    std::string Combo_EOL = "CR";
    std::string Text_preamble;
    std::string Text_postamble;
    std::string Text_searchfor;
    std::string Text_replacewith;
    int Check_preamble = 0;
    int Check_postamble = 0;
    int Check_replacestring = 0;
    int Check_startup = 0;
    int Check_startrun = 0;
    std::string Combo_hotkey1 = "F2";
    std::string Combo_hotkey2 = "Alt+F2";
    std::string Text_hotkey1;
    std::string Text_hotkey2;
    int Check_enablehotkey1 = 0;
    int Check_enablehotkey2 = 0;

    bool operator==(const RedirectSettings&) const = default;
};

constexpr bool isOn(int checkValue) {
    return checkValue == 1;
}

// The advanced options are active when any pre-amble, post-amble, replace or
// hot-key switch is on.
bool advancedOptionsActive(const RedirectSettings& settings);

// The main window's "Advanced options active" indicator. It shows the rule
// above as it was when last computed (after the file is loaded and when the
// advanced options window closes), not as the switches are now: the receive
// path reads `enabled`, START reads `selected`.
struct AdvancedOptionsIndicator {
    bool enabled = false;
    bool selected = false;

    void show(bool active) { enabled = selected = active; }
    void update(const RedirectSettings& settings) { show(advancedOptionsActive(settings)); }
};

// The end-of-line items; kEolDelay switches to cutting after a pause.
inline constexpr std::string_view kEolCr = "CR";
inline constexpr std::string_view kEolLf = "LFD";
inline constexpr std::string_view kEolComma = ",";
inline constexpr std::string_view kEolTab = "TAB";
inline constexpr std::string_view kEolDelay = "DELAY 250mS";

// The fixed item lists of the choice fields, in list order.
std::span<const std::string> comPortItems();  // "COM1" ... "COM20"
std::span<const std::string> baudItems();
std::span<const std::string> parityItems();
std::span<const std::string> stopBitItems();
std::span<const std::string> dataLengthItems();
std::span<const std::string> handshakeItems();
std::span<const std::string> endOfLineItems();
std::span<const std::string>
hotKeyItems();  // "F2", "Alt+F2", "Ctrl+F2", "Shift+F2", ... "Shift+F11"

// Besides "COM1" to "COM20", the port may be a device path such as
// /dev/ttyUSB0 or a Windows device name such as \\.\COM21: adapters come and
// go, and a stored path must survive a start without the device.
bool isDevicePath(std::string_view port);
bool isValidPort(std::string_view port);

// Why `port` cannot be stored in vantorix.cfg and found again at the next
// start, in words for the user; empty when it can. (A line break would end
// the record, a comma would split it, blanks around it are not read back,
// and a name that is neither a COM item nor a device path reads back as
// COM1.)
std::string portNameProblem(std::string_view port);

// "COM7" -> 7; 0 for anything that is not one of the COM items.
int comPortNumber(std::string_view port);

// The port list offered to the user: the COM items, then the serial devices
// present, then `extra` (a stored or given path) when it is a device path not
// yet in the list.
std::vector<std::string> portChoices(std::span<const std::string> presentDevices,
                                     std::string_view extra);

bool contains(std::span<const std::string> items, std::string_view value);

}  // namespace vantorix
