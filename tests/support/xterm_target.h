#pragma once

#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <cstddef>
#include <string>

#include "support/typed_file.h"
#include "typing/recording_target.h"

namespace vantorix::test {

class XvfbServer;

// A window whose typed text a test can read: an xterm, given the keyboard
// focus, running `cat` on a raw terminal so that every byte its keys send
// lands in a file unchanged (Return as CR, Tab as TAB, text in UTF-8).
//
// Needs a QCoreApplication. Check isReady() after construction.
class XtermTarget final : public RecordingTarget {
  public:
    static bool installed();

    explicit XtermTarget(XvfbServer& server);
    ~XtermTarget() override;
    XtermTarget(const XtermTarget&) = delete;
    XtermTarget& operator=(const XtermTarget&) = delete;

    bool isReady() const { return ready_; }
    std::string problem() const { return problem_; }

    // Gives the window the keyboard focus again.
    void focus();

    // Waits until at least `count` bytes have arrived in all, or the timeout
    // has passed, and returns everything that arrived so far.
    std::string waitForBytes(std::size_t count,
                             std::chrono::milliseconds timeout = std::chrono::seconds(10)) override;
    // Everything that arrived so far.
    std::string received() const;

  private:
    QString file(const char* name) const;
    bool viewable() const;

    XvfbServer& server_;
    QTemporaryDir dir_;
    TypedFile typed_;
    QProcess xterm_;
    unsigned long window_ = 0;
    bool ready_ = false;
    std::string problem_;
};

}  // namespace vantorix::test
