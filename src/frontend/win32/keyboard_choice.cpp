#include "frontend/win32/keyboard_choice.h"

#include <utility>

#include "typing/null_keyboard.h"
#include "typing/print_keyboard.h"
#include "typing/win32/keyboard_win32.h"

namespace vantorix::win32 {

std::vector<std::string> keyboardBackendNames() {
    return {"none", "print", kDefaultKeyboardBackend};
}

std::unique_ptr<Keyboard> makeKeyboard(const std::string& name, std::ostream& printTo,
                                       ElevatedWindowWatch::Say sayRefused) {
    if (name == "print") {
        return std::make_unique<PrintKeyboard>(printTo);
    }
    if (name == "none") {
        return std::make_unique<NullKeyboard>();
    }
    if (name == kDefaultKeyboardBackend) {
        return std::make_unique<ElevatedWindowWatch>(
            makeSendInputKeyboard(), makeSystemForegroundProbe(), std::move(sayRefused));
    }
    return nullptr;
}

}  // namespace vantorix::win32
