#pragma once

#include <filesystem>
#include <system_error>

namespace vantorix::win32 {

// Moves the complete file `from` onto `to`, replacing it, and returns only
// once the move is on the disk (MoveFileExW with write-through), so that a
// crash or power loss right after saving finds either the old file or the new
// one. Sets `error` when the move fails; `to` is then unchanged.
void moveFileWriteThrough(const std::filesystem::path& from, const std::filesystem::path& to,
                          std::error_code& error);

}  // namespace vantorix::win32
