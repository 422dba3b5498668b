#include "typing/print_keyboard.h"

namespace vantorix {

void PrintKeyboard::SendKeys(const std::string& keys, bool /*wait*/) {
    out_ << keys << '\n';
    out_.flush();
}

}  // namespace vantorix
