#pragma once

#include <QProcess>

#include <chrono>
#include <cstddef>
#include <string>

#include "support/typed_file.h"
#include "typing/recording_target.h"

namespace vantorix::test {

class SwaySession;

// A Wayland window whose typed text a test can read: a foot terminal running
// `cat` on a raw terminal, so that every byte its keys send lands in a file
// unchanged (Enter as CR, Tab as TAB, text in UTF-8). It has the keyboard
// focus once ready.
//
// Needs a QCoreApplication. Check isReady() after construction.
class FootTarget final : public RecordingTarget {
  public:
    static bool installed();

    explicit FootTarget(SwaySession& session);
    ~FootTarget() override;
    FootTarget(const FootTarget&) = delete;
    FootTarget& operator=(const FootTarget&) = delete;

    bool isReady() const { return ready_; }
    std::string problem() const { return problem_; }
    // Whether the window is still there: a compositor disconnects a window
    // that does not read its keys fast enough.
    bool isRunning() const { return foot_.state() == QProcess::Running; }

    std::string waitForBytes(std::size_t count,
                             std::chrono::milliseconds timeout = std::chrono::seconds(10)) override;
    std::string received() const;

  private:
    QString file(const char* name) const;

    SwaySession& session_;
    TypedFile typed_;
    QProcess foot_;
    bool ready_ = false;
    std::string problem_;
};

}  // namespace vantorix::test
