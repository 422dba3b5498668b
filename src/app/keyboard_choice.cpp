#include "app/keyboard_choice.h"

#include "core/null_keyboard.h"
#include "core/print_keyboard.h"

namespace vantorix {

QStringList keyboardBackendNames() { return {QStringLiteral("none"), QStringLiteral("print")}; }

QString defaultKeyboardBackend() { return QStringLiteral("none"); }

std::unique_ptr<Keyboard> makeKeyboard(const std::string& name, std::ostream& printTo,
                                       std::string& problem) {
    if (name == "print") {
        return std::make_unique<PrintKeyboard>(printTo);
    }
    if (name == "none") {
        return std::make_unique<NullKeyboard>();
    }
    problem = "Unknown keyboard backend '" + name + "'";
    return nullptr;
}

}  // namespace vantorix
