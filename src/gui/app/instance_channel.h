#pragma once
// How a second start reaches the running copy: a local socket in the user's private runtime
// folder. The second start sends one request line and waits for the running copy's "ok".

#include <QLocalServer>
#include <QObject>
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
    void accept();
    QLocalServer server_;
};

}  // namespace p330::gui
