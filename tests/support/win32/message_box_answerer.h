#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vantorix::test {

// While it lives, every message box of this thread is read and closed with
// its OK button as soon as it appears (a WH_CBT hook on the thread), as a
// person would: its title, its text, and whether it shows the exclamation
// icon are kept. One at a time per thread.
class MessageBoxAnswerer {
  public:
    struct Seen {
        std::wstring title;
        std::wstring text;
        bool exclamationIcon = false;
        bool onlyOk = false;
    };

    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    std::vector<Seen> seen;

  private:
    static LRESULT CALLBACK onWindowEvent(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
};

}  // namespace vantorix::test
