#include "typing/win32/keyboard_win32.h"

#include <windows.h>

#include <array>
#include <map>
#include <vector>

#include "typing/key_string_reader.h"
#include "typing/win32/input_plan.h"
#include "typing/win32/layout_lookup.h"

namespace vantorix {
namespace {

using win32::KeyInput;
using win32::LayoutLookup;

constexpr BYTE kLockScanCode = 0x45;
constexpr SHORT kKeyDown = static_cast<SHORT>(0x8000);

bool keyboardStateByteSet(int virtualKey) {
    std::array<BYTE, 256> state{};
    GetKeyboardState(state.data());
    return state[static_cast<std::size_t>(virtualKey)] != 0;
}

void toggleLock(BYTE virtualKey) {
    keybd_event(virtualKey, kLockScanCode, KEYEVENTF_EXTENDEDKEY, 0);
    keybd_event(virtualKey, kLockScanCode, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
}

std::vector<std::uint8_t> heldModifierKeys() {
    std::vector<std::uint8_t> held;
    for (const std::uint8_t key : win32::modifierKeys()) {
        if ((GetAsyncKeyState(key) & kKeyDown) != 0) {
            held.push_back(key);
        }
    }
    return held;
}

INPUT systemInput(const KeyInput& key, HKL layout) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    if (key.virtualKey == 0) {
        input.ki.wScan = key.unit;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
    } else {
        input.ki.wVk = key.virtualKey;
        input.ki.wScan =
            static_cast<WORD>(MapVirtualKeyExW(key.virtualKey, MAPVK_VK_TO_VSC, layout));
        input.ki.dwFlags = key.extended ? KEYEVENTF_EXTENDEDKEY : 0;
    }
    if (key.up) {
        input.ki.dwFlags |= KEYEVENTF_KEYUP;
    }
    return input;
}

class SendInputKeyboard final : public Keyboard {
  public:
    bool IsNumLockOn() override { return keyboardStateByteSet(VK_NUMLOCK); }
    bool IsScrollLockOn() override { return keyboardStateByteSet(VK_SCROLL); }
    bool IsCapsLockToggled() override { return (GetKeyState(VK_CAPITAL) & 1) != 0; }

    void ToggleNumLock() override { toggleLock(VK_NUMLOCK); }
    void ToggleCapsLock() override { toggleLock(VK_CAPITAL); }
    void ToggleScrollLock() override { toggleLock(VK_SCROLL); }

    void SendKeys(const std::string& keys, bool /*wait*/) override {
        readKeyString(keys, actions_);
        const LayoutLookup& layout = layoutOf(win32::foregroundLayout());
        const std::vector<KeyInput> plan =
            win32::planInput(actions_, layout, IsCapsLockToggled(), heldModifierKeys());
        inputs_.clear();
        for (const KeyInput& key : plan) {
            inputs_.push_back(systemInput(key, layout.handle()));
        }
        if (!inputs_.empty()) {
            SendInput(static_cast<UINT>(inputs_.size()), inputs_.data(), sizeof(INPUT));
        }
    }

  private:
    const LayoutLookup& layoutOf(HKL handle) {
        auto found = layouts_.find(handle);
        if (found == layouts_.end()) {
            found = layouts_.emplace(handle, LayoutLookup(handle)).first;
        }
        return found->second;
    }

    std::map<HKL, LayoutLookup> layouts_;
    std::vector<KeyAction> actions_;
    std::vector<INPUT> inputs_;
};

}  // namespace

std::unique_ptr<Keyboard> makeSendInputKeyboard() {
    return std::make_unique<SendInputKeyboard>();
}

}  // namespace vantorix
