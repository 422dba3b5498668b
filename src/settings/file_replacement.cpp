#include "settings/file_replacement.h"

#include <fstream>
#include <system_error>

namespace vantorix {

bool replaceFile(const std::filesystem::path& path,
                 const std::function<void(std::ostream&)>& writeContent) {
    std::filesystem::path temporary = path;
    temporary += ".new";
    std::error_code ignored;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        writeContent(out);
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

}  // namespace vantorix
