#include "settings/file_replacement.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <thread>

namespace vantorix {
namespace {

namespace fs = std::filesystem;

// The file a chain of symbolic links leads to (the path itself when it is no link).
fs::path followLinks(fs::path path, std::error_code& error) {
    constexpr int kMostLinks = 40;
    for (int links = 0; links < kMostLinks; ++links) {
        const fs::file_status status = fs::symlink_status(path, error);
        if (!fs::is_symlink(status)) {
            if (status.type() == fs::file_type::not_found) {
                error.clear();  // a new file, or a link to one
            }
            return path;
        }
        const fs::path target = fs::read_symlink(path, error);
        if (error) {
            return path;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

// A name beside `target` that no other program saving at the same moment
// picks: random bits, the time and a count of this process's names.
fs::path temporaryBeside(const fs::path& target) {
    static std::atomic<std::uint64_t> count{0};
    std::random_device device;
    std::uint64_t bits = (std::uint64_t{device()} << 32) ^ device();
    bits ^= static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    bits ^= (++count) * 0x9E3779B97F4A7C15ULL;
    std::string name = target.filename().string() + ".";
    for (int digit = 0; digit < 16; ++digit) {
        name += "0123456789abcdef"[(bits >> (4 * digit)) & 0xF];
    }
    return target.parent_path() / (name + ".new");
}

bool writeTemporary(const fs::path& temporary, fs::perms permissions,
                    const std::function<void(std::ostream&)>& writeContent,
                    std::error_code& error) {
    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = lastFileError();
        return false;
    }
    if (permissions != fs::perms::unknown) {
        fs::permissions(temporary, permissions, error);
        if (error) {
            return false;
        }
    }
    writeContent(out);
    errno = 0;
    out.close();
    if (!out) {
        error = lastFileError();
        return false;
    }
    return true;
}

}  // namespace

std::error_code lastFileError() {
    const int code = errno;
    return code != 0 ? std::error_code(code, std::generic_category())
                     : std::make_error_code(std::errc::io_error);
}

// On Windows a file another program is replacing or reading at this moment
// refuses to be replaced ("access denied") for a few milliseconds: try again
// briefly before reporting the save as failed.
void renameFile(const fs::path& from, const fs::path& to, std::error_code& error) {
    constexpr int kAttempts = 50;
    for (int attempt = 1;; ++attempt) {
        fs::rename(from, to, error);
        const bool busy =
            error == std::errc::permission_denied || error == std::errc::device_or_resource_busy;
        if (!busy || attempt == kAttempts) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool replaceFile(const fs::path& path, const std::function<void(std::ostream&)>& writeContent,
                 std::error_code& error, const FileMover& move) {
    error.clear();
    const fs::path target = followLinks(path, error);
    if (error) {
        return false;
    }
    const fs::file_status old = fs::status(target, error);
    if (fs::exists(old) && !fs::is_regular_file(old)) {
        error = std::make_error_code(fs::is_directory(old) ? std::errc::is_a_directory
                                                           : std::errc::invalid_argument);
        return false;
    }
    error.clear();
    const fs::path temporary = temporaryBeside(target);
    const fs::perms permissions = fs::exists(old) ? old.permissions() : fs::perms::unknown;
    if (writeTemporary(temporary, permissions, writeContent, error)) {
        move(temporary, target, error);
        if (!error) {
            return true;
        }
    }
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
}

bool replaceFile(const fs::path& path, const std::function<void(std::ostream&)>& writeContent) {
    std::error_code ignored;
    return replaceFile(path, writeContent, ignored);
}

}  // namespace vantorix
