#include "frontend/qt/hot_key_requests.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include <sys/socket.h>
#include <unistd.h>

namespace vantorix {
namespace {

constexpr int kWaitMs = 5000;
constexpr qint64 kLongestLine = 64;

bool fromThisUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                        &size) == 0 &&
           peer.uid == ::getuid();
}

void answer(QLocalSocket& socket, HotKeyRequestAnswer reply) {
    socket.write(QByteArray::fromStdString(answerLine(reply)));
    socket.disconnectFromServer();
}

}  // namespace

QString hotKeyRequestsPath() {
    // Taken as the session gives it: the socket is private whoever owns the
    // folder. Without one, Qt makes a private folder of its own.
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    return QDir(folder).filePath(QStringLiteral("vantorix-hotkeys"));
}

HotKeyRequests::HotKeyRequests(QString path, std::function<HotKeyRequestAnswer(int)> run)
    : path_(std::move(path)), run_(std::move(run)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] { answerNext(); });
}

HotKeyRequests::Listening HotKeyRequests::listen() {
    // Listening replaces whatever is at the path, a live program's socket too:
    // ask first whether someone answers there.
    QLocalSocket probe;
    probe.connectToServer(path_);
    if (probe.waitForConnected(kWaitMs)) {
        return Listening::TakenByAnother;
    }
    QLocalServer::removeServer(path_);
    return server_.listen(path_) ? Listening::Yes : Listening::Failed;
}

void HotKeyRequests::answerNext() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!fromThisUser(*socket)) {
            answer(*socket, HotKeyRequestAnswer::OtherUser);
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kLongestLine) {
                    answer(*socket, HotKeyRequestAnswer::NotUnderstood);
                }
                return;
            }
            const std::string line = socket->readLine(kLongestLine).toStdString();
            const std::optional<int> hotKey = requestedHotKey(line);
            answer(*socket, hotKey ? run_(*hotKey) : HotKeyRequestAnswer::NotUnderstood);
        });
    }
}

int sendHotKeyRequest(const QString& path, int hotKey, std::ostream& errors) {
    const std::string place = QDir::toNativeSeparators(path).toStdString();
    QLocalSocket socket;
    socket.connectToServer(path);
    SendHotKeyOutcome outcome;
    if (!socket.waitForConnected(kWaitMs)) {
        outcome = socket.error() == QLocalSocket::SocketAccessError ? otherUserOutcome(place)
                                                                    : noProgramOutcome(place);
    } else {
        socket.write(QByteArray::fromStdString(hotKeyRequestLine(hotKey)));
        socket.flush();
        while (!socket.canReadLine() && socket.waitForReadyRead(kWaitMs)) {
        }
        std::optional<HotKeyRequestAnswer> reply;
        if (socket.canReadLine()) {
            reply = answerFromLine(socket.readLine(kLongestLine).toStdString());
        }
        outcome = sendHotKeyOutcome(reply, hotKey);
    }
    if (outcome.exitStatus != 0) {
        errors << outcome.message << std::endl;
    }
    return outcome.exitStatus;
}

}  // namespace vantorix
