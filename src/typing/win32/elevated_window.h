#pragma once

#include <cstdint>
#include <optional>
#include <set>

namespace vantorix::win32 {

// An integrity level as Windows writes it in a token's mandatory label:
// 0x2000 for an ordinary program, 0x3000 for one run as administrator,
// 0x4000 for the system's own.
using IntegrityLevel = std::uint32_t;

// What the system reports about the window that would receive the keys.
struct ForegroundWindow {
    // The window's handle as a number; 0 when no window is in front.
    std::uintptr_t window = 0;
    // The integrity level of the window's process; none when that process
    // could not even be asked, which Windows allows only for processes
    // above ours (or of another user).
    std::optional<IntegrityLevel> level;
};

// Whether to tell the user that Windows drops the keys typed into `target`:
// its process runs at a higher level than ours, or could not be asked, and
// the user has not yet been told about this window. Nothing is said when our
// own level is unknown, since there is nothing to compare with.
bool mustSayKeysRefused(std::optional<IntegrityLevel> ownLevel, const ForegroundWindow& target,
                        const std::set<std::uintptr_t>& alreadySaid);

inline constexpr const char* kKeysRefusedTitle = "Vantorix cannot type into this window";
inline constexpr const char* kKeysRefusedMessage =
    "Windows does not let Vantorix type into the window in front: its program runs with higher "
    "rights (as administrator) than Vantorix, and the keys are lost. Start Vantorix as "
    "administrator too (right-click it, Run as administrator).";

}  // namespace vantorix::win32
