#pragma once

#include <cstdint>
#include <string>

#include "forms/window_hand_over.h"
#include "support/fake_desktop.h"

namespace vantorix::test {

inline std::string describe(WindowPosition at) {
    return std::to_string(at.left) + "," + std::to_string(at.top);
}

// The main window as the advanced options window sees it.
class FakeMainWindow final : public MainWindowLink {
  public:
    explicit FakeMainWindow(Journal& journal) : journal_(journal) {}
    void setCurrentWindow(std::int16_t window) override {
        CURRENT_WINDOW = window;
        journal_.push_back("main:current " + std::to_string(window));
    }
    void showAt(WindowPosition topLeft) override {
        journal_.push_back("main:show " + describe(topLeft));
    }
    void showAdvancedIndicator() override { journal_.emplace_back("main:indicator"); }
    void exitProgram() override { journal_.emplace_back("main:exit"); }
    std::int16_t CURRENT_WINDOW = 2;

  private:
    Journal& journal_;
};

}  // namespace vantorix::test
