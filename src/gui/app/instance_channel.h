#pragma once
// How a second start reaches the running copy: a Unix socket in the user's private runtime
// folder. The second start sends one request line and waits for the running copy's "ok".
// Connections that say nothing are dropped after a second, and only a few are served at once,
// so that idle connections cannot use up the open files; a socket file removed by someone is
// made again. Plain sockets under QSocketNotifier rather than QLocalSocket: the network module
// and its libraries would load before the splash could paint.

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

namespace p330::gui {

enum class InstanceRequest { kShow, kFirmwareUpdate };

// A request and the xdg-activation token of the start that sends it (empty: none), with which
// the running copy asks a Wayland compositor to raise its window.
struct InstanceMessage {
    InstanceRequest request = InstanceRequest::kShow;
    QString activation_token;
};

// A token as it may travel on the request line: 1 to 255 printable ASCII characters, no space.
bool valid_activation_token(const QString& token);

class InstanceChannel : public QObject {
  public:
    // Listens at path. The caller holds the single-instance lock, so a socket left there is a
    // crashed copy's and is replaced.
    explicit InstanceChannel(const QString& path);
    ~InstanceChannel() override;
    InstanceChannel(const InstanceChannel&) = delete;
    InstanceChannel& operator=(const InstanceChannel&) = delete;

    bool listening() const { return listen_fd_ >= 0; }
    QString error() const { return error_; }

    // Called on the UI thread for every request received.
    std::function<void(const InstanceMessage&)> on_request;

    // A second start: hands message to the copy listening at path, retrying while that copy
    // is still starting, for up to timeout_ms. True once the running copy has taken it. A copy
    // that does not know tokens is asked again without one.
    static bool send(const QString& path, const InstanceMessage& message, int timeout_ms);

  private:
    class Peer;
    void listen();
    void stop_listening();
    void accept();
    void read_from(Peer* peer);
    void relisten_when_gone();

    QString path_;
    int listen_fd_ = -1;
    std::unique_ptr<QSocketNotifier> listener_;
    QString error_;
    QTimer watch_;
    int open_connections_ = 0;
};

}  // namespace p330::gui
