#pragma once

#include <memory>
#include <optional>

#include "typing/win32/elevated_window.h"

namespace vantorix::win32 {

// The system lookups behind the elevated-window check.
class ForegroundProbe {
  public:
    virtual ~ForegroundProbe() = default;
    // This process's integrity level; none if its token cannot be read.
    virtual std::optional<IntegrityLevel> ownLevel() = 0;
    // The window in front and the level of its process.
    virtual ForegroundWindow foreground() = 0;
};

// GetForegroundWindow, GetWindowThreadProcessId, then the process's token
// (OpenProcess with PROCESS_QUERY_LIMITED_INFORMATION, OpenProcessToken,
// GetTokenInformation for TokenIntegrityLevel).
std::unique_ptr<ForegroundProbe> makeSystemForegroundProbe();

}  // namespace vantorix::win32
