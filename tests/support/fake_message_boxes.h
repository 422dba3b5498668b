#pragma once

#include <string>
#include <vector>

#include "forms/message_boxes.h"

namespace vantorix::test {

// Answers every message box at once and keeps what it said; given a journal,
// writes "message <text>|<title>" into it as well.
class FakeMessageBoxes final : public MessageBoxes {
  public:
    struct Shown {
        std::string text;
        std::string title;
    };
    FakeMessageBoxes() = default;
    explicit FakeMessageBoxes(std::vector<std::string>& journal) : journal_(&journal) {}

    void exclamation(const std::string& text, const std::string& title) override {
        shown.push_back({text, title});
        if (journal_ != nullptr) {
            journal_->push_back("message " + text + "|" + title);
        }
    }
    std::vector<Shown> shown;

  private:
    std::vector<std::string>* journal_ = nullptr;
};

}  // namespace vantorix::test
