#pragma once

#include <functional>
#include <string>
#include <vector>

#include "forms/message_boxes.h"

namespace vantorix::test {

// Answers every message box at once and keeps what it said; given a journal,
// writes "message <text>|<title>" (and "|<detail>" when there is one) into it
// as well. `whileOpen` runs while a box is up, as events the program handles
// meanwhile would.
class FakeMessageBoxes final : public MessageBoxes {
  public:
    struct Shown {
        std::string text;
        std::string title;
        std::string detail;
    };
    FakeMessageBoxes() = default;
    explicit FakeMessageBoxes(std::vector<std::string>& journal) : journal_(&journal) {}

    void exclamation(const std::string& text, const std::string& title) override {
        exclamationWithDetail(text, title, {});
    }
    void exclamationWithDetail(const std::string& text, const std::string& title,
                               const std::string& detail) override {
        shown.push_back({text, title, detail});
        if (journal_ != nullptr) {
            journal_->push_back("message " + text + "|" + title +
                                (detail.empty() ? "" : "|" + detail));
        }
        if (whileOpen) {
            whileOpen();
        }
    }
    std::vector<Shown> shown;
    std::function<void()> whileOpen;

  private:
    std::vector<std::string>* journal_ = nullptr;
};

}  // namespace vantorix::test
