#include "Handover.h"

#include "store/ProgramDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStringDecoder>

#if defined(__linux__)
#include <sys/socket.h>
#include <unistd.h>
#endif

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
bool peerIsThisUser(const QLocalSocket& socket)
{
#if defined(__linux__)
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0)
        return false;
    return peer.uid == ::getuid();
#else
    Q_UNUSED(socket);
    return true;
#endif
}

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
    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (!socket.waitForConnected(kTimeoutMs)) {
        *error = socket.errorString();
        return false;
    }
    if (!peerIsThisUser(socket)) {
        *error = QStringLiteral("%1 belongs to another user").arg(socketName);
        return false;
    }
    socket.write(message);
    if (!socket.waitForBytesWritten(kTimeoutMs)) {
        *error = socket.errorString();
        return false;
    }
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(kTimeoutMs)) {
            *error = QStringLiteral("the running window did not answer");
            return false;
        }
    }
    if (socket.readLine().trimmed() != "ok") {
        *error = QStringLiteral("the running window refused the file");
        return false;
    }
    return true;
}

} // namespace

Server::Server(std::function<void(const QString&)> receive, QObject* parent)
    : QObject(parent), receive_(std::move(receive))
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &Server::takeConnection);
    // QLocalServer reports no errors as they happen: a failed accept (no
    // descriptor left, say) closes it and deletes its socket file, and a
    // file may be deleted from outside. Looked at from time to time.
    watch_.setInterval(kWatchIntervalMs);
    connect(&watch_, &QTimer::timeout, this, &Server::watch);
}

Server::~Server()
{
    watch_.stop();
    for (QLocalSocket* socket : std::as_const(clients_))
        socket->disconnect(this);
    clients_.clear();
}

bool Server::listen() { return listen(socketPath()); }

bool Server::listen(const QString& socket)
{
    path_ = socket;
    watch_.start();
    return start();
}

bool Server::start()
{
    server_.close();
    // We hold the lock, so a socket file left behind belongs to a crashed run.
    QLocalServer::removeServer(path_);
    return server_.listen(path_);
}

void Server::watch()
{
    if (!server_.isListening() || !QFileInfo::exists(path_))
        start();
}

void Server::takeConnection()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        if (clients_.size() >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        clients_.insert(socket);
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, this, [this, socket] { drop(socket); });
        idle->start(idleTimeoutMs_);
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        if (socket->bytesAvailable() > 0)
            read(socket);
    }
}

void Server::read(QLocalSocket* socket)
{
    if (!clients_.contains(socket))
        return;
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() >= kMaxMessageBytes)
            answer(socket, "refused\n");
        return;
    }
    QByteArray line = socket->readLine(kMaxMessageBytes + 1);
    if (!line.endsWith('\n')) {
        answer(socket, "refused\n");
        return;
    }
    line.chop(1);
    const std::optional<QStringList> files = decodeFiles(line);
    if (!files) {
        answer(socket, "refused\n");
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
    answer(socket, "ok\n");
}

void Server::answer(QLocalSocket* socket, const QByteArray& reply)
{
    socket->disconnect(this);
    clients_.remove(socket);
    socket->write(reply);
    socket->flush();
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromServer();
    if (socket->state() == QLocalSocket::UnconnectedState)
        socket->deleteLater();
}

void Server::drop(QLocalSocket* socket)
{
    if (!clients_.remove(socket))
        return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

} // namespace handover
