#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <signal.h>

#include <cstddef>
#include <memory>
#include <string>

#include "settings/config_file.h"
#include "support/pty_pair.h"
#include "typing/recording_target.h"

namespace vantorix::test {

// Settings for records ended by CR with "é " typed before each and "€" and
// Enter after it: characters that no key of a us layout has.
inline RedirectSettings accentedAmbles() {
    RedirectSettings settings;
    settings.Combo_EOL = "CR";
    settings.Check_preamble = 1;
    settings.Text_preamble = "\xe9 ";
    settings.Check_postamble = 1;
    settings.Text_postamble = "\x80{ENTER}";
    return settings;
}

// The program built with the tests (VANTORIX_EXECUTABLE) or `executable`,
// started with `arguments` in a folder of its own holding a vantorix.cfg
// written from `settings`, in `environment`; ended with SIGTERM.
class RedirectingProgram {
  public:
    RedirectingProgram(const RedirectSettings& settings, const QStringList& arguments,
                       const QProcessEnvironment& environment,
                       const QString& executable = QStringLiteral(VANTORIX_EXECUTABLE)) {
        saveConfigFile(folder_.filePath(QStringLiteral("vantorix.cfg")).toStdString(), settings);
        process_.setWorkingDirectory(folder_.path());
        process_.setProcessEnvironment(environment);
        process_.start(executable, arguments);
    }
    ~RedirectingProgram() {
        if (process_.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(process_.processId()), SIGTERM);
            if (!process_.waitForFinished(kTimeoutMs)) {
                process_.kill();
                process_.waitForFinished(kTimeoutMs);
            }
        }
    }

    bool waitUntilRedirecting() {
        const QDeadlineTimer deadline(kTimeoutMs);
        while (!errors_.contains("stop with Ctrl+C.") && !deadline.hasExpired() &&
               process_.state() != QProcess::NotRunning) {
            process_.waitForReadyRead(100);
            errors_ += process_.readAllStandardError();
        }
        errors_ += process_.readAllStandardError();
        return errors_.contains("stop with Ctrl+C.");
    }

    int waitForExit() {
        process_.waitForFinished(kTimeoutMs);
        errors_ += process_.readAllStandardError();
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

    std::string errors() const { return errors_.toStdString(); }

    // What the running program has written on standard error until now.
    std::string errorsUntilNow() {
        while (process_.waitForReadyRead(50)) {
        }
        errors_ += process_.readAllStandardError();
        return errors_.toStdString();
    }

  private:
    static constexpr int kTimeoutMs = 10000;

    QTemporaryDir folder_;
    QProcess process_;
    QByteArray errors_;
};

// The program redirecting from a serial line (a socat pair) into a window that
// records what arrives; the test writes to the far end as a device would.
class LineRedirection {
  public:
    bool isReady() const { return line_.isReady(); }
    const std::string& problem() const { return line_.problem(); }

    // Starts the program with --headless on the near end, and `arguments`, and
    // waits until it redirects.
    ::testing::AssertionResult start(
        const RedirectSettings& settings, const QStringList& arguments,
        const QProcessEnvironment& environment,
        const QString& executable = QStringLiteral(VANTORIX_EXECUTABLE)) {
        program_ = std::make_unique<RedirectingProgram>(
            settings,
            QStringList{QStringLiteral("--headless"), QStringLiteral("--port"),
                        QString::fromStdString(line_.nearEnd())} +
                arguments,
            environment, executable);
        if (!program_->waitUntilRedirecting()) {
            return ::testing::AssertionFailure() << "not redirecting: " << program_->errors();
        }
        device_ = std::make_unique<PtyEndpoint>(line_.farEnd());
        if (!device_->isOpen()) {
            return ::testing::AssertionFailure() << "cannot open " << line_.farEnd();
        }
        return ::testing::AssertionSuccess();
    }

    // Sends `received` down the line and returns what `window` got from it.
    std::string typedInto(RecordingTarget& window, const std::string& received,
                          std::size_t expectedSize) {
        const std::size_t before = window.waitForBytes(0, std::chrono::milliseconds(0)).size();
        EXPECT_TRUE(device_->write(received));
        return window.waitForBytes(before + expectedSize, std::chrono::seconds(10)).substr(before);
    }

    RedirectingProgram& program() { return *program_; }

  private:
    PtyPair line_;
    std::unique_ptr<RedirectingProgram> program_;
    std::unique_ptr<PtyEndpoint> device_;
};

}  // namespace vantorix::test
