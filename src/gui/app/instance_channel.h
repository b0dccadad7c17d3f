#pragma once
// How a second start reaches the running copy: a local socket in the user's private runtime
// folder. The second start sends one request line and waits for the running copy's "ok".
// Connections that say nothing are dropped after a second, and only a few are served at once,
// so that idle connections cannot use up the open files; a socket file removed by someone is
// made again.

#include <QLocalServer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

namespace p330::gui {

enum class InstanceRequest { kShow, kFirmwareUpdate };

class InstanceChannel : public QObject {
    Q_OBJECT
  public:
    // Listens at path. The caller holds the single-instance lock, so a socket left there is a
    // crashed copy's and is replaced.
    explicit InstanceChannel(const QString& path);
    bool listening() const { return server_.isListening(); }
    QString error() const { return server_.errorString(); }

    // Called on the UI thread for every request received.
    std::function<void(InstanceRequest)> on_request;

    // A second start: hands request to the copy listening at path, retrying while that copy
    // is still starting, for up to timeout_ms. True once the running copy has taken it.
    static bool send(const QString& path, InstanceRequest request, int timeout_ms);

  private:
    void listen();
    void accept();
    void relisten_when_gone();

    QString path_;
    QLocalServer server_;
    QTimer watch_;
    int open_connections_ = 0;
};

}  // namespace p330::gui
