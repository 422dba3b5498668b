#include "support/win32/shortcut_file.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

namespace vantorix::test {

std::optional<ShortcutFile> readShortcut(const std::filesystem::path& path) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::optional<ShortcutFile> read;
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = {};
    wchar_t folder[MAX_PATH] = {};
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
        SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH))) {
        read = ShortcutFile{target, folder};
    }
    if (file != nullptr) {
        file->Release();
    }
    if (link != nullptr) {
        link->Release();
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return read;
}

}  // namespace vantorix::test
