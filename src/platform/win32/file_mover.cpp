#include "platform/win32/file_mover.h"

#include <windows.h>

namespace vantorix::win32 {

void moveFileWriteThrough(const std::filesystem::path& from, const std::filesystem::path& to,
                          std::error_code& error) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error.clear();
    } else {
        error = std::error_code(static_cast<int>(GetLastError()), std::system_category());
    }
}

}  // namespace vantorix::win32
