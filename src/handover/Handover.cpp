#include "Handover.h"

#include "store/ProgramDir.h"

#include <QLocalSocket>

namespace handover {

namespace {
constexpr int kTimeoutMs = 5000;
}

QString socketPath() { return store::programFile(QStringLiteral("tagomat2.socket")); }

bool send(const QString& file, QString* error)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kTimeoutMs)) {
        *error = socket.errorString();
        return false;
    }
    socket.write(file.toUtf8() + '\n');
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

Server::Server(std::function<void(const QString&)> receive, QObject* parent)
    : QObject(parent), receive_(std::move(receive))
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &Server::takeConnection);
}

bool Server::listen()
{
    // We hold the lock, so a socket file left behind belongs to a crashed run.
    QLocalServer::removeServer(socketPath());
    return server_.listen(socketPath());
}

void Server::takeConnection()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QString file = QString::fromUtf8(socket->readLine()).chopped(1);
            // Answered once the request is taken (a file waits in the import queue).
            receive_(file);
            socket->write("ok\n");
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

} // namespace handover
