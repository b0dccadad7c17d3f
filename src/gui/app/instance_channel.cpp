#include "gui/app/instance_channel.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/util/unique_fd.h"

namespace p330::gui {

namespace {

constexpr qsizetype kMaxToken = 255;
constexpr qsizetype kMaxLine = 320;   // a request is one short word and a token
constexpr int kIdleMs = 1000;         // a second start writes at once
constexpr int kMaxConnections = 8;    // second starts come one at a time
constexpr int kBacklog = 16;          // connections the kernel holds before they are taken
constexpr int kSocketCheckMs = 2000;  // how soon a removed socket file is made again

QByteArray request_line(const InstanceMessage& message) {
    QByteArray line = message.request == InstanceRequest::kFirmwareUpdate
                          ? QByteArrayLiteral("firmware-update")
                          : QByteArrayLiteral("show");
    if (valid_activation_token(message.activation_token))
        line += ' ' + message.activation_token.toLatin1();
    return line + '\n';
}

std::optional<InstanceMessage> parse_request(const QByteArray& line) {
    const qsizetype space = line.indexOf(' ');
    const QByteArray word = space < 0 ? line : line.left(space);
    InstanceMessage message;
    if (word == "show") {
        message.request = InstanceRequest::kShow;
    } else if (word == "firmware-update") {
        message.request = InstanceRequest::kFirmwareUpdate;
    } else {
        return std::nullopt;
    }
    if (space >= 0) {
        message.activation_token = QString::fromLatin1(line.mid(space + 1));
        if (!valid_activation_token(message.activation_token)) return std::nullopt;
    }
    return message;
}

bool socket_address(const QByteArray& path, sockaddr_un& address) {
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return true;
}

QString errno_text(const char* what) {
    return QString::fromLatin1(what) + QStringLiteral(": ") +
           QString::fromLocal8Bit(std::strerror(errno));
}

// One question to the running copy: its answer, or nullopt when it could not be asked yet
// (not listening, serving as many as it will) and asking again may help.
std::optional<bool> ask_once(const sockaddr_un& address, const QByteArray& line,
                             const QDeadlineTimer& deadline) {
    const UniqueFd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (socket.get() < 0) return false;
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return std::nullopt;
    if (::send(socket.get(), line.constData(), static_cast<std::size_t>(line.size()),
               MSG_NOSIGNAL) != line.size())
        return std::nullopt;
    QByteArray answer;
    while (!deadline.hasExpired() && !answer.contains('\n') && answer.size() <= kMaxLine) {
        pollfd wait{socket.get(), POLLIN, 0};
        if (::poll(&wait, 1, static_cast<int>(deadline.remainingTime())) <= 0) continue;
        char buffer[kMaxLine];
        const ssize_t n = ::recv(socket.get(), buffer, sizeof buffer, 0);
        if (n == 0) break;  // dropped without an answer
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            break;
        }
        answer.append(buffer, n);
    }
    const qsizetype newline = answer.indexOf('\n');
    if (newline < 0) return std::nullopt;
    return answer.left(newline).trimmed() == "ok";
}

}  // namespace

bool valid_activation_token(const QString& token) {
    if (token.isEmpty() || token.size() > kMaxToken) return false;
    return std::all_of(token.begin(), token.end(),
                       [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7f; });
}

// A connection being served: its socket and what it has said so far.
class InstanceChannel::Peer : public QObject {
  public:
    Peer(int fd, QObject* parent)
        : QObject(parent), socket(fd), notifier(fd, QSocketNotifier::Read) {}
    void drop() {
        notifier.setEnabled(false);
        deleteLater();
    }
    UniqueFd socket;
    QSocketNotifier notifier;
    QByteArray said;
};

InstanceChannel::InstanceChannel(const QString& path) : path_(path) {
    listen();
    connect(&watch_, &QTimer::timeout, this, &InstanceChannel::relisten_when_gone);
    watch_.start(kSocketCheckMs);
}

InstanceChannel::~InstanceChannel() {
    stop_listening();
}

void InstanceChannel::stop_listening() {
    listener_.reset();
    if (listen_fd_ >= 0) ::close(listen_fd_);
    listen_fd_ = -1;
}

void InstanceChannel::listen() {
    stop_listening();
    const QByteArray path = QFile::encodeName(path_);
    sockaddr_un address{};
    if (!socket_address(path, address)) {
        error_ = QStringLiteral("the socket path is empty or too long: ") + path_;
        return;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error_ = errno_text("socket");
        return;
    }
    ::unlink(path.constData());
    // Only this user may connect, as the runtime folder it lives in.
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(path.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, kBacklog) != 0) {
        error_ = errno_text("listen");
        ::close(fd);
        return;
    }
    listen_fd_ = fd;
    error_.clear();
    listener_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(listener_.get(), &QSocketNotifier::activated, this, &InstanceChannel::accept);
}

void InstanceChannel::relisten_when_gone() {
    struct stat info {};
    if (listen_fd_ < 0 || ::lstat(QFile::encodeName(path_).constData(), &info) != 0 ||
        !S_ISSOCK(info.st_mode))
        listen();
}

void InstanceChannel::accept() {
    for (;;) {
        const int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR) continue;
            return;  // none waiting (or none can be taken now: the next wake-up tries again)
        }
        if (open_connections_ >= kMaxConnections) {
            ::close(fd);
            continue;
        }
        auto* peer = new Peer(fd, this);
        ++open_connections_;
        connect(peer, &QObject::destroyed, this, [this] { --open_connections_; });
        QTimer::singleShot(kIdleMs, peer, [peer] { peer->drop(); });
        connect(&peer->notifier, &QSocketNotifier::activated, peer,
                [this, peer] { read_from(peer); });
    }
}

void InstanceChannel::read_from(Peer* peer) {
    bool closed = false;
    for (;;) {
        char buffer[kMaxLine];
        const ssize_t n = ::recv(peer->socket.get(), buffer, sizeof buffer, 0);
        if (n > 0) {
            peer->said.append(buffer, n);
            if (peer->said.size() > kMaxLine) break;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        closed = n == 0 || errno != EAGAIN;
        break;
    }
    const qsizetype newline = peer->said.indexOf('\n');
    if (newline < 0 || newline > kMaxLine) {
        if (closed || peer->said.size() > kMaxLine) peer->drop();
        return;
    }
    const std::optional<InstanceMessage> request =
        parse_request(peer->said.left(newline).trimmed());
    const QByteArray answer = request ? QByteArrayLiteral("ok\n") : QByteArrayLiteral("unknown\n");
    (void)::send(peer->socket.get(), answer.constData(), static_cast<std::size_t>(answer.size()),
                 MSG_NOSIGNAL);
    peer->drop();
    if (request && on_request) on_request(*request);
}

bool InstanceChannel::send(const QString& path, const InstanceMessage& message, int timeout_ms) {
    const QDeadlineTimer deadline(timeout_ms);
    sockaddr_un address{};
    if (!socket_address(QFile::encodeName(path), address)) return false;
    InstanceMessage asked = message;
    while (!deadline.hasExpired()) {
        if (const std::optional<bool> answer = ask_once(address, request_line(asked), deadline)) {
            if (*answer || asked.activation_token.isEmpty()) return *answer;
            asked.activation_token.clear();  // a copy from before tokens
            continue;
        }
        QThread::msleep(100);  // the running copy may not listen yet, or serves as many as it will
    }
    return false;
}

}  // namespace p330::gui
