#include "gui/app/instance_channel.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

namespace p330::gui {

namespace {

constexpr qint64 kMaxLine = 64;  // a request is one short word

QByteArray request_line(InstanceRequest request) {
    return request == InstanceRequest::kFirmwareUpdate ? QByteArrayLiteral("firmware-update\n")
                                                       : QByteArrayLiteral("show\n");
}

}  // namespace

InstanceChannel::InstanceChannel(const QString& path) {
    QLocalServer::removeServer(path);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(path);
    connect(&server_, &QLocalServer::newConnection, this, &InstanceChannel::accept);
}

void InstanceChannel::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
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
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
        while (!socket.canReadLine()) {
            if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return false;
        }
        return socket.readLine(kMaxLine).trimmed() == "ok";
    }
    return false;
}

}  // namespace p330::gui
