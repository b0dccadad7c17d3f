#include "gui/app/instance_channel.h"

#include <sys/stat.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>

namespace p330::gui {

namespace {

constexpr qint64 kMaxLine = 64;       // a request is one short word
constexpr int kIdleMs = 1000;         // a second start writes at once
constexpr int kMaxConnections = 8;    // second starts come one at a time
constexpr int kSocketCheckMs = 2000;  // how soon a removed socket file is made again

QByteArray request_line(InstanceRequest request) {
    return request == InstanceRequest::kFirmwareUpdate ? QByteArrayLiteral("firmware-update\n")
                                                       : QByteArrayLiteral("show\n");
}

}  // namespace

InstanceChannel::InstanceChannel(const QString& path) : path_(path) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &InstanceChannel::accept);
    listen();
    connect(&watch_, &QTimer::timeout, this, &InstanceChannel::relisten_when_gone);
    watch_.start(kSocketCheckMs);
}

void InstanceChannel::listen() {
    server_.close();
    QLocalServer::removeServer(path_);
    server_.listen(path_);
}

void InstanceChannel::relisten_when_gone() {
    struct stat info {};
    if (!server_.isListening() || ::lstat(QFile::encodeName(path_).constData(), &info) != 0 ||
        !S_ISSOCK(info.st_mode))
        listen();
}

void InstanceChannel::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        if (open_connections_ >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++open_connections_;
        connect(socket, &QObject::destroyed, this, [this] { --open_connections_; });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kIdleMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxLine) socket->abort();
                return;
            }
            const QByteArray line = socket->readLine(kMaxLine).trimmed();
            std::optional<InstanceRequest> request;
            if (line == "show") request = InstanceRequest::kShow;
            if (line == "firmware-update") request = InstanceRequest::kFirmwareUpdate;
            socket->write(request ? "ok\n" : "unknown\n");
            socket->flush();
            socket->disconnectFromServer();
            if (request && on_request) on_request(*request);
        });
    }
}

bool InstanceChannel::send(const QString& path, InstanceRequest request, int timeout_ms) {
    const QDeadlineTimer deadline(timeout_ms);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(path);
        if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
            QThread::msleep(100);  // the running copy may not listen yet
            continue;
        }
        socket.write(request_line(request));
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) continue;
        while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState &&
               !deadline.hasExpired())
            socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        // Dropped without an answer: the running copy is serving as many as it will.
        if (!socket.canReadLine()) {
            QThread::msleep(100);
            continue;
        }
        return socket.readLine(kMaxLine).trimmed() == "ok";
    }
    return false;
}

}  // namespace p330::gui
