#include "typing/win32/elevated_window.h"

namespace vantorix::win32 {

bool mustSayKeysRefused(std::optional<IntegrityLevel> ownLevel, const ForegroundWindow& target,
                        const std::set<std::uintptr_t>& alreadySaid) {
    if (target.window == 0 || !ownLevel || alreadySaid.contains(target.window)) {
        return false;
    }
    return !target.level || *target.level > *ownLevel;
}

}  // namespace vantorix::win32
