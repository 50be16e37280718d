// Hands a file from a second start of Tagomat 2 to the window that already
// runs on the same program directory, through a local socket next to the
// lock ("tagomat2.socket" in the program directory).
//
// The message is one line: the absolute path of the file to import, or an
// empty line for "come to the front". The running window answers "ok" once
// it has taken the request.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <functional>

namespace handover {

// The socket of the program directory.
QString socketPath();

// Run by the second start. True when the running window took the request;
// false with the reason otherwise.
bool send(const QString& file, QString* error);

// Listens in the running window. Each request calls receive() with the file
// (empty: only come to the front).
class Server : public QObject {
public:
    explicit Server(std::function<void(const QString&)> receive, QObject* parent = nullptr);
    // False when the socket could not be made; the program then runs without it.
    bool listen();

private:
    void takeConnection();

    QLocalServer server_;
    std::function<void(const QString&)> receive_;
};

} // namespace handover
