#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <signal.h>

#include <string>

#include "settings/config_file.h"

namespace vantorix::test {

// The program built with the tests (VANTORIX_EXECUTABLE), started with
// `arguments` in a folder of its own holding a vantorix.cfg written from
// `settings`, in `environment`; ended with SIGTERM.
class RedirectingProgram {
  public:
    RedirectingProgram(const RedirectSettings& settings, const QStringList& arguments,
                       const QProcessEnvironment& environment) {
        saveConfigFile(folder_.filePath(QStringLiteral("vantorix.cfg")).toStdString(), settings);
        process_.setWorkingDirectory(folder_.path());
        process_.setProcessEnvironment(environment);
        process_.start(QStringLiteral(VANTORIX_EXECUTABLE), arguments);
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
        while (!errors_.contains("Redirecting") && !deadline.hasExpired() &&
               process_.state() != QProcess::NotRunning) {
            process_.waitForReadyRead(100);
            errors_ += process_.readAllStandardError();
        }
        errors_ += process_.readAllStandardError();
        return errors_.contains("Redirecting");
    }

    int waitForExit() {
        process_.waitForFinished(kTimeoutMs);
        errors_ += process_.readAllStandardError();
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

    std::string errors() const { return errors_.toStdString(); }

  private:
    static constexpr int kTimeoutMs = 10000;

    QTemporaryDir folder_;
    QProcess process_;
    QByteArray errors_;
};

}  // namespace vantorix::test
