#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>

#include "typing/recording_target.h"

namespace vantorix::test {

// A window on a thread of its own (as another program's would be) that has
// the keyboard focus and collects what is typed into it, as UTF-8:
// - Kind::Edit: a multi-line EDIT control; its text as the control holds it
//   (Enter makes CR LF, Tab a tab);
// - Kind::Recorder: the characters the keys produce, as a terminal in raw mode
//   records them (Enter as CR, Control with a letter as its control character).
// Needs a display; check isReady().
class TypingTarget final : public RecordingTarget {
  public:
    enum class Kind { Edit, Recorder };

    explicit TypingTarget(Kind kind);
    ~TypingTarget() override;
    TypingTarget(const TypingTarget&) = delete;
    TypingTarget& operator=(const TypingTarget&) = delete;

    bool isReady() const { return ready_; }
    std::string text() const;
    // Waits until the text holds `count` bytes or the timeout has passed, and
    // returns it.
    std::string waitForBytes(std::size_t count, std::chrono::milliseconds timeout) override;

  private:
    void run(Kind kind);
    static LRESULT CALLBACK recorderProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam);

    HWND frame_ = nullptr;
    HWND input_ = nullptr;
    HANDLE started_;
    bool ready_ = false;
    mutable std::mutex mutex_;
    std::wstring recorded_;
    std::thread thread_;
};

}  // namespace vantorix::test
