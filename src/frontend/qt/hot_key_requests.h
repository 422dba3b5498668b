#pragma once

#include <functional>
#include <ostream>
#include <string>

#include <QLocalServer>
#include <QObject>
#include <QString>

#include "forms/hot_key_request.h"

namespace vantorix {

// Where the program with its window takes --send-hotkey requests: a socket in
// the user's runtime folder ($XDG_RUNTIME_DIR).
QString hotKeyRequestsPath();

// Takes --send-hotkey requests at a socket only its owner may open, and
// answers each with what `run` answers; requests from another user (root
// passes the file's modes) are refused without running anything.
class HotKeyRequests final : public QObject {
  public:
    HotKeyRequests(QString path, std::function<HotKeyRequestAnswer(int hotKey)> run);

    enum class Listening {
        Yes,
        // Another program answers at the path; its socket is left alone.
        TakenByAnother,
        Failed,
    };
    // Listens at the path, replacing a socket that nothing answers at any
    // more (left by a program that was killed).
    Listening listen();
    std::string problem() const { return server_.errorString().toStdString(); }

  private:
    void answerNext();

    QString path_;
    std::function<HotKeyRequestAnswer(int)> run_;
    QLocalServer server_;
};

// --send-hotkey: asks the program answering at `path` to run `hotKey`, says
// why on `errors` when it did not run, and returns the exit status.
int sendHotKeyRequest(const QString& path, int hotKey, std::ostream& errors);

}  // namespace vantorix
