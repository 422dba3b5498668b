#include "forms/hot_keys.h"

#include <algorithm>

namespace vantorix {

HotKeyChoice hotKeyChoice(const std::string& item) {
    const auto items = hotKeyItems();
    const auto found = std::find(items.begin(), items.end(), item);
    // An item not in the list counts as index -1, which still lands on F2.
    const int index = found == items.end() ? -1 : static_cast<int>(found - items.begin());
    HotKeyChoice choice;
    choice.keyCode = index / 4 + 113;
    if (item.find("Alt") != std::string::npos) {
        choice.modifiers = kModAlt;
    }
    if (item.find("Ctrl") != std::string::npos) {
        choice.modifiers = kModControl;
    }
    if (item.find("Shift") != std::string::npos) {
        choice.modifiers = kModShift;
    }
    return choice;
}

frmHotKey::frmHotKey(const RedirectSettings& settings, HotKeyGrabber& grabber)
    : settings_(settings), grabber_(grabber) {}

frmHotKey::~frmHotKey() {
    if (isRegistered()) {
        cmdUnregisterHotKey_Click();
    }
}

void frmHotKey::cmdRegisterHotKey_Click() {
    const HotKeyChoice first = hotKeyChoice(settings_.Combo_hotkey1);
    const HotKeyChoice second = hotKeyChoice(settings_.Combo_hotkey2);
    firstEnabled_ = isOn(settings_.Check_enablehotkey1);
    secondEnabled_ = isOn(settings_.Check_enablehotkey2);
    if (firstEnabled_) {
        grabber_.grab(1, first);
    }
    if (secondEnabled_) {
        grabber_.grab(2, second);
    }
    grabber_.listen([this](int identifier) { HotKeyWindowProc(identifier); });
    registered_ = true;
}

void frmHotKey::cmdUnregisterHotKey_Click() {
    grabber_.stopListening();
    grabber_.ungrab(1);
    grabber_.ungrab(2);
    registered_ = false;
}

bool frmHotKey::isHotKeyRegistered(int hotKey) const {
    return registered_ && ((hotKey == 1 && firstEnabled_) || (hotKey == 2 && secondEnabled_));
}

void frmHotKey::setActions(std::function<void()> hotKey1, std::function<void()> hotKey2) {
    hotKey1_ = std::move(hotKey1);
    hotKey2_ = std::move(hotKey2);
}

void frmHotKey::HotKeyWindowProc(int identifier) {
    if (identifier == 1 && hotKey1_) {
        hotKey1_();
    } else if (identifier == 2 && hotKey2_) {
        hotKey2_();
    }
}

}  // namespace vantorix
