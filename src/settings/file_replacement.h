#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <system_error>

namespace vantorix {

// The last step of replacing a file: moves the complete temporary file `from`
// onto `to`, replacing it, and sets `error` when that fails. The portable
// mover renames; a platform may supply one that also flushes the move to disk.
using FileMover = std::function<void(const std::filesystem::path& from,
                                     const std::filesystem::path& to, std::error_code& error)>;

// What the C library said about the last failed file operation (set errno to
// 0 before it); file streams give no error code of their own.
std::error_code lastFileError();

// std::filesystem::rename.
void renameFile(const std::filesystem::path& from, const std::filesystem::path& to,
                std::error_code& error);

// Writes a file through a temporary file of its own beside it, which replaces
// the old file only once it is complete: a failed write never leaves a damaged
// or half-written file, and two programs saving at once leave the complete file
// of the one that saved last. A symbolic link is followed, so its target is
// replaced and the link stays; the new file gets the old one's permissions.
// Only a regular file (or no file) is replaced. Returns whether the file was
// written; when not, `error` says why.
bool replaceFile(const std::filesystem::path& path,
                 const std::function<void(std::ostream&)>& writeContent, std::error_code& error,
                 const FileMover& move = renameFile);
bool replaceFile(const std::filesystem::path& path,
                 const std::function<void(std::ostream&)>& writeContent);

}  // namespace vantorix
