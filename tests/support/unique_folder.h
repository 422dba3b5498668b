#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

namespace vantorix::test {

// A new, empty folder in the system's temporary folder that no other process
// uses: a name made from the test's alone would be shared with the same test
// of another build tree or checkout running at the same time. Removed, with
// all it holds, when it goes.
class UniqueFolder {
  public:
    explicit UniqueFolder(std::string_view prefix) {
        std::random_device seed;
        std::mt19937_64 random((std::uint64_t{seed()} << 32) ^ seed());
        // Made by the one who creates it: a folder that exists already is someone else's.
        do {
            std::ostringstream name;
            name << prefix << '-' << std::hex << random();
            path_ = std::filesystem::temp_directory_path() / name.str();
        } while (!std::filesystem::create_directory(path_));
    }
    ~UniqueFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    UniqueFolder(const UniqueFolder&) = delete;
    UniqueFolder& operator=(const UniqueFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace vantorix::test
