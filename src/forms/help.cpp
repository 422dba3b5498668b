#include "forms/help.h"

#include <filesystem>
#include <system_error>

namespace vantorix {

std::string_view helpFileName() {
#ifdef _WIN32
    return "vantorix.chm";
#else
    return "vantorix.html";
#endif
}

std::string helpFileFor(const std::string& programFolder) {
    namespace fs = std::filesystem;
    const fs::path folder(programFolder);
    const fs::path name(helpFileName());
    const fs::path beside = folder / name;
    const fs::path installed = folder / ".." / "share" / "doc" / "vantorix" / name;
    std::error_code error;
    if (!fs::exists(beside, error) && fs::exists(installed, error)) {
        return installed.lexically_normal().string();
    }
    return beside.string();
}

}  // namespace vantorix
