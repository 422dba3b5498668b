#include "platform/win32/startup_shortcut_win32.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <optional>

#include "forms/form3_logic.h"

namespace vantorix::win32 {
namespace {

// COM for the calls of one routine, on whatever thread they run; a thread
// where COM is already set up keeps it as it was.
class ComScope {
  public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    HRESULT result_;
};

template <typename Interface>
class ComPointer {
  public:
    ComPointer() = default;
    ~ComPointer() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;

    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void** out() { return reinterpret_cast<void**>(&pointer_); }

  private:
    Interface* pointer_ = nullptr;
};

}  // namespace

std::filesystem::path startupFolder() {
    PWSTR path = nullptr;
    std::filesystem::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, 0, nullptr, &path))) {
        folder = path;
    }
    CoTaskMemFree(path);
    return folder;
}

Form_LIBRARY::Form_LIBRARY(std::filesystem::path startupFolder, std::filesystem::path executable,
                           std::filesystem::path workingFolder, MessageBoxes& messages)
    : folder_(std::move(startupFolder)),
      executable_(std::move(executable)),
      workingFolder_(std::move(workingFolder)),
      messages_(messages) {}

std::filesystem::path Form_LIBRARY::shortcutPath() const {
    return folder_ / executable_.stem().concat(L".lnk");
}

std::optional<bool> Form_LIBRARY::writeShortcut() const {
    const ComScope com;
    ComPointer<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.out()))) {
        return std::nullopt;
    }
    // Each step is tried whatever the one before came to; any failure counts.
    bool written = !folder_.empty();
    written = SUCCEEDED(link->SetPath(executable_.c_str())) && written;
    written = SUCCEEDED(link->SetWorkingDirectory(workingFolder_.c_str())) && written;
    ComPointer<IPersistFile> file;
    written = SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.out())) && written;
    written =
        file && !folder_.empty() && SUCCEEDED(file->Save(shortcutPath().c_str(), TRUE)) && written;
    return written;
}

void Form_LIBRARY::Create_startup_link() {
    if (writeShortcut() == false) {
        messages_.exclamation(kUnableToCreateShortcut, kApplicationTitle);
    }
}

void Form_LIBRARY::Delete_startup_link() {
    if (!folder_.empty()) {
        DeleteFileW(shortcutPath().c_str());
    }
}

}  // namespace vantorix::win32
