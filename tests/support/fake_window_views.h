#pragma once

#include <array>
#include <map>
#include <string>

#include "forms/form1_session.h"
#include "forms/form3_logic.h"
#include "support/fake_desktop.h"
#include "support/fake_window_hand_over.h"

namespace vantorix::test {

inline std::string nameOf(AdvancedText box) {
    return std::string(controlName(box));
}

// A window that writes what the program does with it into the journal, as
// "<name>:<step>".
template <typename View>
class FakeWindow : public View {
  public:
    FakeWindow(Journal& journal, std::string name) : journal_(journal), name_(std::move(name)) {}

    WindowPosition position() const override { return at; }
    void showAt(WindowPosition topLeft) override {
        at = topLeft;
        log("show at " + describe(topLeft));
    }
    void showWindow() override { log("show"); }
    void hideWindow() override { log("hide"); }
    void setNormalState() override { log("normal"); }

    WindowPosition at;

  protected:
    void log(const std::string& step) { journal_.push_back(name_ + ":" + step); }

  private:
    Journal& journal_;
    std::string name_;
};

// The main window; the controls START and STOP switch keep their state here.
class FakeMainWindowView final : public FakeWindow<MainWindowView> {
  public:
    explicit FakeMainWindowView(Journal& journal) : FakeWindow(journal, "main") {}

    void setControlEnabled(RedirectionControl control, bool enabled) override {
        enabled_[static_cast<std::size_t>(control)] = enabled;
    }
    void giveFocus(RedirectionControl control) override {
        log("focus " + std::to_string(static_cast<int>(control)));
    }
    void showSettings() override { log("settings"); }
    void showAdvancedIndicator(const AdvancedOptionsIndicator& indicator) override {
        log(indicator.selected ? "indicator on" : "indicator off");
    }
    void minimizeWindow() override { log("minimize"); }
    void openWindow() override { log("open"); }
    void showAboutWindow(const std::string& linkAddress) override { log("about " + linkAddress); }
    void endProgram() override { log("end"); }

    bool isEnabled(RedirectionControl control) const {
        return enabled_[static_cast<std::size_t>(control)];
    }

  private:
    // As the window opens: STOP REDIRECTION disabled, the rest enabled.
    std::array<bool, 10> enabled_{true, false, true, true, true, true, true, true, true, true};
};

// The advanced options window: the rows its lists show and the codes typed
// into its code boxes are set by the test.
class FakeForm3View final : public FakeWindow<Form3View> {
  public:
    explicit FakeForm3View(Journal& journal) : FakeWindow(journal, "advanced") {}

    void presetInsertionLists() override { log("lists"); }
    void showSettings() override { log("settings"); }
    std::string shownRow(InsertionList list) const override {
        const auto found = rows.find(list);
        return found == rows.end() ? std::string() : found->second;
    }
    std::string codeText(CodeBox box) const override {
        const auto found = codes.find(box);
        return found == codes.end() ? std::string() : found->second;
    }
    void showText(AdvancedText box) override { log("show " + nameOf(box)); }
    void placeCaret(AdvancedText box, int position) override {
        log("caret " + nameOf(box) + " " + std::to_string(position));
    }
    void giveFocus(AdvancedText box) override { log("focus " + nameOf(box)); }

    std::map<InsertionList, std::string> rows;
    std::map<CodeBox, std::string> codes;
};

}  // namespace vantorix::test
