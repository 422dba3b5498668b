#include "support/win32/tray_host.h"

#include <commctrl.h>

#include <sstream>

#include "support/win32/message_pump.h"
#include "support/win32/unix_side.h"
#include "support/win32/window_probe.h"

namespace vantorix::test {
namespace {

constexpr auto kTimeout = std::chrono::seconds(10);

// The panel trayer makes ('"panel": ("panel" "trayer")'), and the window of
// an icon Wine docked in it, with its position on the screen: "x y width
// height" of the first icon, if any; the panel's windows end where the next
// top-level window begins. (The command holds no double quotes.)
constexpr const char* kFindIcon =
    "xwininfo -root -tree | awk '/panel.: [(].panel. .trayer/ { inside = 1; next } "
    "inside && /^     0x/ { exit } inside && /explorer.exe/ { split($NF, at, /[+]/); "
    "split($(NF-1), size, /[x+]/); "
    "print at[2], at[3], size[1], size[2]; exit }'";

// Memory in another process, for messages whose parameters point at memory
// (the tooltip control reads and writes there as if in its own).
class RemoteBlock {
  public:
    RemoteBlock(DWORD processId, SIZE_T size)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId)),
          address_(process_ != nullptr
                       ? VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE)
                       : nullptr) {}
    ~RemoteBlock() {
        if (address_ != nullptr) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
        if (process_ != nullptr) {
            CloseHandle(process_);
        }
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool isReady() const { return address_ != nullptr; }
    char* at(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
    bool write(SIZE_T offset, const void* data, SIZE_T size) const {
        return WriteProcessMemory(process_, at(offset), data, size, nullptr) != FALSE;
    }
    bool read(SIZE_T offset, void* data, SIZE_T size) const {
        return ReadProcessMemory(process_, at(offset), data, size, nullptr) != FALSE;
    }

  private:
    HANDLE process_;
    void* address_;
};

std::vector<HWND> tooltipControlsOfOtherProcesses() {
    struct Search {
        std::vector<HWND> found;
    } search;
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != GetCurrentProcessId() && classNameOf(window) == TOOLTIPS_CLASSW) {
                reinterpret_cast<Search*>(parameter)->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void tipsOf(HWND tooltips, std::vector<std::wstring>& tips) {
    constexpr SIZE_T kTextOffset = 512;
    constexpr SIZE_T kTextChars = 256;
    DWORD processId = 0;
    GetWindowThreadProcessId(tooltips, &processId);
    const RemoteBlock block(processId, kTextOffset + kTextChars * sizeof(wchar_t));
    if (!block.isReady()) {
        return;
    }
    DWORD_PTR count = 0;
    SendMessageTimeoutW(tooltips, TTM_GETTOOLCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count);
    for (WPARAM index = 0; index < count; ++index) {
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.lpszText = reinterpret_cast<wchar_t*>(block.at(kTextOffset));
        const wchar_t empty = L'\0';
        DWORD_PTR found = 0;
        if (!block.write(0, &tool, sizeof tool) ||
            !block.write(kTextOffset, &empty, sizeof empty) ||
            SendMessageTimeoutW(tooltips, TTM_ENUMTOOLSW, index,
                                reinterpret_cast<LPARAM>(block.at(0)), SMTO_ABORTIFHUNG, 2000,
                                &found) == 0 ||
            found == 0) {
            continue;
        }
        wchar_t text[kTextChars] = {};
        if (block.read(kTextOffset, text, sizeof text - sizeof(wchar_t)) && text[0] != L'\0') {
            tips.emplace_back(text);
        }
    }
}

}  // namespace

TrayHost::TrayHost() : pidFile_("/tmp/vantorix-trayer-" + std::to_string(GetCurrentProcessId())) {
    startShellCommand(
        "trayer --edge top --align right --widthtype pixel --width 100 --height 24 "
        "--SetDockType false >/dev/null 2>&1 & echo $! > " +
        pidFile_);
    ready_ = pumpMessagesUntil(
        [] {
            const auto panel =
                shellCommandOutput("xwininfo -root -tree | grep -c 'panel.: [(].panel'", kTimeout);
            return panel && !panel->empty() && panel->front() != '0';
        },
        kTimeout);
    if (!ready_) {
        problem_ = "trayer did not start (packages trayer and x11-utils)";
    }
}

TrayHost::~TrayHost() {
    runShellCommand("kill $(cat " + pidFile_ + ") 2>/dev/null; rm -f " + pidFile_, kTimeout);
}

std::optional<POINT> TrayHost::dockedIconCentre(std::chrono::milliseconds timeout) const {
    std::optional<POINT> centre;
    pumpMessagesUntil(
        [&] {
            const std::optional<std::string> found = shellCommandOutput(kFindIcon, kTimeout);
            std::istringstream numbers(found.value_or(""));
            long x = 0;
            long y = 0;
            long width = 0;
            long height = 0;
            if (numbers >> x >> y >> width >> height) {
                centre = POINT{x + width / 2, y + height / 2};
            }
            return centre.has_value();
        },
        timeout);
    return centre;
}

std::vector<std::wstring> notificationAreaTips() {
    std::vector<std::wstring> tips;
    for (const HWND tooltips : tooltipControlsOfOtherProcesses()) {
        tipsOf(tooltips, tips);
    }
    return tips;
}

}  // namespace vantorix::test
