#include "typing/win32/elevated_window_watch.h"

#include <utility>

namespace vantorix::win32 {

ElevatedWindowWatch::ElevatedWindowWatch(std::unique_ptr<Keyboard> keyboard,
                                         std::unique_ptr<ForegroundProbe> probe, Say say)
    : keyboard_(std::move(keyboard)), probe_(std::move(probe)), say_(std::move(say)) {}

void ElevatedWindowWatch::SendKeys(const std::string& keys, bool wait) {
    if (!keys.empty()) {
        const ForegroundWindow target = probe_->foreground();
        if (mustSayKeysRefused(probe_->ownLevel(), target, told_)) {
            told_.insert(target.window);
            say_(kKeysRefusedMessage);
        }
    }
    keyboard_->SendKeys(keys, wait);
}

}  // namespace vantorix::win32
