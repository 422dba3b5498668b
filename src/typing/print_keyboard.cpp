#include "typing/print_keyboard.h"

namespace vantorix {

void PrintKeyboard::SendKeys(const std::string& keys, bool /*wait*/) {
    if (failed_) {
        return;
    }
    out_ << keys << '\n';
    out_.flush();
    if (!out_) {
        failed_ = true;
        if (onOutputFailed_) {
            onOutputFailed_();
        }
    }
}

}  // namespace vantorix
