#pragma once

#include <cstdint>

namespace vantorix {

// A window's top-left corner, in the toolkit's screen units. The main window
// and the advanced options window take each other's place at the same corner.
struct WindowPosition {
    int left = 0;
    int top = 0;

    bool operator==(const WindowPosition&) const = default;
};

// What the program does with a window as a whole. Hiding never touches the
// controls: a hidden window keeps their contents.
class WindowView {
  public:
    virtual ~WindowView() = default;
    virtual WindowPosition position() const = 0;
    // Moves the top-left corner to `topLeft`, then as showWindow.
    virtual void showAt(WindowPosition topLeft) = 0;
    // Shows the window where it is, in normal state, in front of the others.
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    // Neither minimised nor maximised; a hidden window stays hidden.
    virtual void setNormalState() = 0;
};

// What the advanced options window needs of the main window.
class MainWindowLink {
  public:
    virtual ~MainWindowLink() = default;
    // CURRENT_WINDOW: 1 the main window is in use, 2 the advanced options window.
    virtual void setCurrentWindow(std::int16_t window) = 0;
    // Moves the main window's top-left corner to `topLeft` and shows it.
    virtual void showAt(WindowPosition topLeft) = 0;
    // "Advanced options active" takes the indicator's state.
    virtual void showAdvancedIndicator() = 0;
    // prepare_for_exit, then the program ends.
    virtual void exitProgram() = 0;
};

// What the main window's start-up and "Set Advanced Options" need of the
// advanced options window.
class AdvancedOptionsWindow : public WindowView {
  public:
    // The pre-amble, post-amble and replacement lists show "Enter", the
    // search list "CR".
    virtual void presetInsertionLists() = 0;
    // The settings widgets take the values of the settings store.
    virtual void showSettings() = 0;
};

}  // namespace vantorix
