#pragma once

#include <filesystem>
#include <functional>
#include <ostream>

namespace vantorix {

// Writes a file through a temporary file beside it ("<name>.new") that
// replaces the old file only once it is complete, so a failed write never
// leaves a damaged or half-written file behind. Returns whether the file was
// written.
bool replaceFile(const std::filesystem::path& path,
                 const std::function<void(std::ostream&)>& writeContent);

}  // namespace vantorix
