#pragma once

#include <string>
#include <vector>

#include "forms/message_boxes.h"

namespace vantorix::test {

// Answers every message box at once and keeps what it said.
class FakeMessageBoxes final : public MessageBoxes {
  public:
    struct Shown {
        std::string text;
        std::string title;
    };
    void exclamation(const std::string& text, const std::string& title) override {
        shown.push_back({text, title});
    }
    std::vector<Shown> shown;
};

}  // namespace vantorix::test
