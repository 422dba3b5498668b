#pragma once

#include <string>
#include <vector>

#include "forms/help.h"

namespace vantorix::test {

// Opens nothing and keeps every address it was asked to open.
class RecordingUrlOpener final : public UrlOpener {
  public:
    bool openUrl(const std::string& address) override {
        opened.push_back(address);
        return true;
    }
    std::vector<std::string> opened;
};

}  // namespace vantorix::test
