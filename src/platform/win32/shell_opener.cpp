#include "platform/win32/shell_opener.h"

#include <windows.h>

#include <shellapi.h>

#include <system_error>

#include "platform/win32/wide_text.h"

namespace vantorix::win32 {
namespace {

constexpr UINT kHelpDisplayTopic = 0;  // HH_DISPLAY_TOPIC

using HtmlHelpFunction = HWND(WINAPI*)(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data);

// HTML Help is part of every Windows, but not of the program's imports: it is
// looked up only when help is first asked for.
HtmlHelpFunction htmlHelp() {
    static const HtmlHelpFunction function = [] {
        const HMODULE library = LoadLibraryW(L"hhctrl.ocx");
        if (library == nullptr) {
            return HtmlHelpFunction{nullptr};
        }
        return reinterpret_cast<HtmlHelpFunction>(
            reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpW")));
    }();
    return function;
}

bool openAssociated(const std::filesystem::path& path) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace

OpenTarget openTargetFor(const std::filesystem::path& address,
                         const std::function<bool(const std::filesystem::path&)>& exists) {
    if (address.extension() != L".chm") {
        return {OpenTarget::How::Associated, address};
    }
    if (exists(address)) {
        return {OpenTarget::How::HelpViewer, address};
    }
    std::filesystem::path manual = address;
    manual.replace_extension(L".html");
    if (exists(manual)) {
        return {OpenTarget::How::Associated, manual};
    }
    return {OpenTarget::How::HelpViewer, address};
}

bool ShellUrlOpener::openUrl(const std::string& address) {
    const OpenTarget target =
        openTargetFor(fromUtf8(address), [](const std::filesystem::path& path) {
            std::error_code error;
            return std::filesystem::is_regular_file(path, error);
        });
    if (target.how == OpenTarget::How::HelpViewer) {
        if (const HtmlHelpFunction show = htmlHelp()) {
            return show(GetDesktopWindow(), target.path.c_str(), kHelpDisplayTopic, 0) != nullptr;
        }
    }
    return openAssociated(target.path);
}

}  // namespace vantorix::win32
