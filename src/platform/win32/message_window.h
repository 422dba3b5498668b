#pragma once

#include <windows.h>

#include <functional>
#include <optional>

namespace vantorix::win32 {

// A window that nobody sees, on the thread that creates it, through which
// other threads and the system reach that thread's message loop. Each message
// goes to `handler`; an empty result leaves it to the default handling.
//
// A message-only window is reached only by messages sent to it; a hidden
// top-level window also receives what the system broadcasts to all windows
// (the end of the session, for example).
class MessageWindow {
  public:
    using Handler = std::function<std::optional<LRESULT>(UINT message, WPARAM, LPARAM)>;
    enum class Kind { MessageOnly, HiddenTopLevel };

    explicit MessageWindow(Handler handler, Kind kind = Kind::MessageOnly);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND handle() const { return window_; }

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    HWND window_ = nullptr;
};

}  // namespace vantorix::win32
