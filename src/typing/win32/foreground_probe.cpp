#include "typing/win32/foreground_probe.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace vantorix::win32 {
namespace {

// Closes a handle when it goes out of scope.
class OwnedHandle {
  public:
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

std::optional<IntegrityLevel> levelOfProcess(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) {
        return std::nullopt;
    }
    const OwnedHandle ownedToken(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    if (size == 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> buffer(size);
    if (!GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) {
        return std::nullopt;
    }
    const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
    const UCHAR count = *GetSidSubAuthorityCount(label->Label.Sid);
    if (count == 0) {
        return std::nullopt;
    }
    return *GetSidSubAuthority(label->Label.Sid, count - 1u);
}

class SystemForegroundProbe final : public ForegroundProbe {
  public:
    std::optional<IntegrityLevel> ownLevel() override {
        return levelOfProcess(GetCurrentProcess());
    }

    ForegroundWindow foreground() override {
        ForegroundWindow found;
        const HWND window = GetForegroundWindow();
        found.window = reinterpret_cast<std::uintptr_t>(window);
        DWORD processId = 0;
        if (window == nullptr || GetWindowThreadProcessId(window, &processId) == 0) {
            return {};  // no window in front, or it is gone already
        }
        if (processId == GetCurrentProcessId()) {
            found.level = ownLevel();
            return found;
        }
        const OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
        if (process.get() != nullptr) {
            found.level = levelOfProcess(process.get());
        }
        return found;
    }
};

}  // namespace

std::unique_ptr<ForegroundProbe> makeSystemForegroundProbe() {
    return std::make_unique<SystemForegroundProbe>();
}

}  // namespace vantorix::win32
