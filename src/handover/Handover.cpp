#include "Handover.h"

#include "store/ProgramDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace handover {

namespace {

constexpr int kTimeoutMs = 5000;
constexpr int kWatchIntervalMs = 2000;
// A local socket's name holds at most 107 bytes; with room to spare.
constexpr int kMaxSocketPath = 100;

bool unreserved(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
        || c == '_' || c == '~';
}

bool hexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// True when the socket's other end runs as this user: a name in the shared
// temporary folder could be taken by anyone.
bool peerIsThisUser(int fd)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0)
        return false;
    return peer.uid == ::getuid();
}

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

} // namespace

QString socketPath()
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::tempPath();
    const QString canonical = QFileInfo(store::programDir()).canonicalFilePath();
    const QString dir = canonical.isEmpty() ? store::programDir() : canonical;
    QByteArray key = QFile::encodeName(dir);
#if defined(__linux__)
    key.prepend(QByteArray::number(::getuid()) + ':');
#endif
    const QString name = QStringLiteral("tagomat2-%1.socket")
                             .arg(QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).left(8).toHex()));
    if (QFile::encodeName(folder).size() + 1 + name.size() > kMaxSocketPath)
        folder = QStringLiteral("/tmp");
    return folder + QLatin1Char('/') + name;
}

QByteArray encodeMessage(const QString& file) { return QFile::encodeName(file).toPercentEncoding(); }

std::optional<QString> decodeMessage(const QByteArray& line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (unreserved(line[i]))
            continue;
        if (line[i] != '%' || i + 2 >= line.size() || !hexDigit(line[i + 1]) || !hexDigit(line[i + 2]))
            return std::nullopt;
        i += 2;
    }
    const QByteArray bytes = QByteArray::fromPercentEncoding(line);
    if (bytes.contains('\0'))
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString file = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return file;
}

std::optional<QStringList> decodeFiles(const QByteArray& line)
{
    QStringList files;
    if (line.isEmpty())
        return files;
    for (const QByteArray& part : line.split(' ')) {
        const std::optional<QString> file = decodeMessage(part);
        if (!file || file->isEmpty())
            return std::nullopt;
        files << *file;
    }
    return files;
}

namespace {

bool sendMessage(const QString& socketName, const QByteArray& message, QString* error);

} // namespace

bool send(const QString& file, QString* error) { return send(socketPath(), file, error); }

bool send(const QString& socketName, const QString& file, QString* error)
{
    const QByteArray message = encodeMessage(file) + '\n';
    if (message.size() > kMaxMessageBytes) {
        *error = QStringLiteral("the path is too long to hand over");
        return false;
    }
    return sendMessage(socketName, message, error);
}

bool sendFiles(const QStringList& files, QString* error) { return sendFiles(socketPath(), files, error); }

bool sendFiles(const QString& socketName, const QStringList& files, QString* error)
{
    if (files.size() <= 1)
        return send(socketName, files.value(0), error);
    QByteArray line;
    for (const QString& file : files) {
        const QByteArray part = encodeMessage(file);
        if (part.size() + 1 > kMaxMessageBytes) {
            *error = QStringLiteral("the path is too long to hand over");
            return false;
        }
        if (!line.isEmpty() && line.size() + 1 + part.size() + 1 > kMaxMessageBytes) {
            if (!sendMessage(socketName, line + '\n', error))
                return false;
            line.clear();
        }
        line += (line.isEmpty() ? QByteArray() : QByteArray(" ")) + part;
    }
    return sendMessage(socketName, line + '\n', error);
}

namespace {

bool sendMessage(const QString& socketName, const QByteArray& message, QString* error)
{
    const QByteArray name = QFile::encodeName(socketName);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(name.size()) >= sizeof address.sun_path) {
        *error = QStringLiteral("the socket name %1 is too long").arg(socketName);
        return false;
    }
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        *error = systemError();
        return false;
    }
    // Connecting, writing and reading each wait at most kTimeoutMs.
    const timeval timeout{kTimeoutMs / 1000, (kTimeoutMs % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    const auto fail = [fd, error](const QString& why) {
        *error = why;
        ::close(fd);
        return false;
    };
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return fail(systemError());
    if (!peerIsThisUser(fd))
        return fail(QStringLiteral("%1 belongs to another user").arg(socketName));
    for (qsizetype sent = 0; sent < message.size();) {
        const ssize_t n = ::send(fd, message.constData() + sent, size_t(message.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(systemError());
        sent += n;
    }
    QByteArray reply;
    while (!reply.contains('\n') && reply.size() < 64) {
        char buffer[64];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(QStringLiteral("the running window did not answer"));
        reply.append(buffer, n);
    }
    ::close(fd);
    if (reply.left(reply.indexOf('\n')).trimmed() != "ok") {
        *error = QStringLiteral("the running window refused the file");
        return false;
    }
    return true;
}

} // namespace

// A client: its socket, watched for reading, what it sent so far, and the
// time it has left.
struct Server::Client {
    QSocketNotifier* readable = nullptr;
    QTimer* idle = nullptr;
    QByteArray received;
};

Server::Server(std::function<void(const QString&)> receive, QObject* parent)
    : QObject(parent), receive_(std::move(receive))
{
    // A failed accept (no descriptor left, say) closes the socket, and its
    // file may be deleted from outside: looked at from time to time.
    watch_.setInterval(kWatchIntervalMs);
    connect(&watch_, &QTimer::timeout, this, &Server::watch);
}

Server::~Server()
{
    watch_.stop();
    while (!clients_.empty())
        drop(clients_.begin()->first);
    stop();
}

bool Server::listen() { return listen(socketPath()); }

bool Server::listen(const QString& socket)
{
    path_ = socket;
    watch_.start();
    return start();
}

void Server::stop()
{
    if (incoming_) {
        incoming_->setEnabled(false);
        incoming_->disconnect(this);
        incoming_->deleteLater();
        incoming_ = nullptr;
    }
    if (listening_ >= 0)
        ::close(listening_);
    listening_ = -1;
}

bool Server::start()
{
    stop();
    const QByteArray name = QFile::encodeName(path_);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || size_t(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    // We hold the lock, so a socket file left behind belongs to a crashed run.
    ::unlink(name.constData());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // Only this user may connect: the file is made private before anyone
    // can connect to it, which needs listen().
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
        || ::chmod(name.constData(), 0600) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        ::close(fd);
        return false;
    }
    listening_ = fd;
    incoming_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(incoming_, &QSocketNotifier::activated, this, &Server::takeConnection);
    return true;
}

void Server::watch()
{
    if (listening_ < 0 || !QFileInfo::exists(path_))
        start();
}

void Server::takeConnection()
{
    while (listening_ >= 0) {
        const int fd = ::accept4(listening_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                stop();   // no descriptor left: the watch listens again later
            return;
        }
        if (int(clients_.size()) >= kMaxConnections) {
            ::close(fd);
            continue;
        }
        auto client = std::make_unique<Client>();
        client->readable = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(client->readable, &QSocketNotifier::activated, this, [this, fd] { read(fd); });
        client->idle = new QTimer(this);
        client->idle->setSingleShot(true);
        connect(client->idle, &QTimer::timeout, this, [this, fd] { drop(fd); });
        client->idle->start(idleTimeoutMs_);
        clients_.emplace(fd, std::move(client));
        read(fd);
    }
}

void Server::read(int fd)
{
    const auto found = clients_.find(fd);
    if (found == clients_.end())
        return;
    QByteArray& received = found->second->received;
    for (;;) {
        char buffer[4096];
        const qsizetype room = std::min<qsizetype>(sizeof buffer, kMaxMessageBytes + 1 - received.size());
        if (room <= 0)
            break;
        const ssize_t n = ::recv(fd, buffer, size_t(room), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        if (n <= 0) {
            drop(fd);   // gone before it sent a whole line
            return;
        }
        received.append(buffer, n);
        if (received.contains('\n'))
            break;
    }
    const qsizetype end = received.indexOf('\n');
    if (end < 0) {
        if (received.size() >= kMaxMessageBytes)
            answer(fd, "refused\n");
        return;
    }
    if (end + 1 > kMaxMessageBytes) {
        answer(fd, "refused\n");
        return;
    }
    const std::optional<QStringList> files = decodeFiles(received.left(end));
    if (!files) {
        answer(fd, "refused\n");
        return;
    }
    // The window only takes the request here (a file goes into the import
    // queue, which runs from the event loop), so the second start hears
    // "ok" once its file is sure to be imported.
    if (files->size() > 1 && receiveFiles_)
        receiveFiles_(*files);
    else if (files->isEmpty())
        receive_(QString());
    else
        for (const QString& file : *files)
            receive_(file);
    answer(fd, "ok\n");
}

void Server::answer(int fd, const QByteArray& reply)
{
    // A few bytes always fit into a fresh socket's buffer.
    [[maybe_unused]] const ssize_t sent = ::send(fd, reply.constData(), size_t(reply.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
    ::shutdown(fd, SHUT_WR);
    drop(fd);
}

void Server::drop(int fd)
{
    const auto found = clients_.find(fd);
    if (found == clients_.end())
        return;
    // The notifier stops watching before the descriptor, which may be
    // reused, is closed; it and the timer go once their signal has returned
    // (this may run from either).
    std::unique_ptr<Client> client = std::move(found->second);
    clients_.erase(found);
    client->readable->setEnabled(false);
    client->readable->disconnect(this);
    client->idle->stop();
    client->idle->disconnect(this);
    client->readable->deleteLater();
    client->idle->deleteLater();
    ::close(fd);
}

} // namespace handover
