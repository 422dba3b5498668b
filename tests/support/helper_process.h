#pragma once

#include <QDeadlineTimer>
#include <QProcess>

#include <functional>

namespace vantorix::test {

// How long a helper (a compositor, a window, socat) may take to come up or to
// end when asked.
inline constexpr int kHelperTimeoutMs = 10000;

// Waits up to `timeoutMs` until `ready()` holds, for as long as `helper`
// runs; whether it holds. Output the helper wrote stays readable.
inline bool waitWhileRunning(QProcess& helper, const std::function<bool()>& ready,
                             int timeoutMs = kHelperTimeoutMs) {
    constexpr int kSliceMs = 10;
    const QDeadlineTimer deadline(timeoutMs);
    while (!ready() && !deadline.hasExpired() && helper.state() != QProcess::NotRunning) {
        helper.waitForFinished(kSliceMs);
    }
    return ready();
}

// Asks `helper` to end, and kills it if it has not ended within `timeoutMs`,
// so that no test leaves it running.
inline void endHelper(QProcess& helper, int timeoutMs = kHelperTimeoutMs) {
    if (helper.state() == QProcess::NotRunning) {
        return;
    }
    helper.terminate();
    if (!helper.waitForFinished(timeoutMs)) {
        helper.kill();
        helper.waitForFinished();
    }
}

}  // namespace vantorix::test
