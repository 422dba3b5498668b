#pragma once

#include <QProcess>

#include <chrono>
#include <cstddef>
#include <string>

#include "support/typed_file.h"
#include "typing/recording_target.h"

namespace vantorix::test {

class HeadlessDesktop;

// A native GTK window on a headless desktop that records the text its keys
// produce as a raw terminal would (see key_recording_window.py). New windows
// get the focus there.
//
// Needs a QCoreApplication. Check isReady() after construction.
class KeyRecordingWindow final : public RecordingTarget {
  public:
    explicit KeyRecordingWindow(HeadlessDesktop& desktop);
    ~KeyRecordingWindow() override;
    KeyRecordingWindow(const KeyRecordingWindow&) = delete;
    KeyRecordingWindow& operator=(const KeyRecordingWindow&) = delete;

    bool isReady() const { return ready_; }
    std::string problem() const { return problem_; }
    // Whether the window is still there: a compositor disconnects a window
    // that does not read its keys fast enough.
    bool isRunning() const { return window_.state() == QProcess::Running; }

    std::string waitForBytes(std::size_t count,
                             std::chrono::milliseconds timeout = std::chrono::seconds(10)) override;
    std::string received() const;

  private:
    TypedFile typed_;
    QProcess window_;
    bool ready_ = false;
    std::string problem_;
};

}  // namespace vantorix::test
