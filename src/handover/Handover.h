// Hands a file from a second start of Tagomat 2 to the window that already
// runs on the same program directory, through a local socket in the
// runtime folder ($XDG_RUNTIME_DIR, else the temporary folder) named by a
// short hash of the program directory, so that a directory of any length
// has one.
//
// The message is one line: the path of the file to import, each byte
// outside letters, digits and "-._~" written as %XX (so a newline in a file
// name stays part of it), or an empty line for "come to the front". Several
// files imported together are their paths so written, separated by single
// spaces (a space in a path is always written as %20). The
// running window answers "ok" once it has taken the request, "refused" for
// a message it cannot decode.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QSocketNotifier;

namespace handover {

// Clients served at once; more are closed as they come.
inline constexpr int kMaxConnections = 8;
// A client that has not sent its whole message by then is dropped.
inline constexpr int kIdleTimeoutMs = 5000;
// The longest message: a path of 4,096 bytes, each written as %XX, and its newline.
inline constexpr int kMaxMessageBytes = 3 * 4096 + 1;

// The socket of the program directory.
QString socketPath();

// The message line for a file (without its newline), and back; nothing for
// a line that is not one (a byte outside the encoding, a broken %XX, a path
// that is not UTF-8).
QByteArray encodeMessage(const QString& file);
std::optional<QString> decodeMessage(const QByteArray& line);
// The same for a line of several paths; an empty line gives no path.
std::optional<QStringList> decodeFiles(const QByteArray& line);

// Run by the second start. True when the running window took the request;
// false with the reason otherwise.
bool send(const QString& file, QString* error);
bool send(const QString& socket, const QString& file, QString* error);
// Several files, imported together: as few messages as the message limit
// allows, each taken as one import.
bool sendFiles(const QStringList& files, QString* error);
bool sendFiles(const QString& socket, const QStringList& files, QString* error);

// Listens in the running window (a plain local socket watched by the event
// loop). Each request calls receive() with the file (empty: only come to the
// front), then the client hears "ok". A server that fails, or whose socket
// file goes, listens again.
class Server : public QObject {
public:
    explicit Server(std::function<void(const QString&)> receive, QObject* parent = nullptr);
    ~Server() override;
    // False when the socket could not be made; the program then runs
    // without it, trying again from time to time.
    bool listen();
    bool listen(const QString& socket);

    // For tests: shorter waits than a person needs.
    void setIdleTimeout(int ms) { idleTimeoutMs_ = ms; }
    void setWatchInterval(int ms) { watch_.setInterval(ms); }
    int connections() const { return int(clients_.size()); }
    // Takes the messages of several files; without it each file of such a
    // message goes to receive() on its own.
    void setReceiveFiles(std::function<void(const QStringList&)> receive) { receiveFiles_ = std::move(receive); }

private:
    struct Client;
    bool start();
    void stop();
    void watch();
    void takeConnection();
    void read(int fd);
    void answer(int fd, const QByteArray& reply);
    void drop(int fd);

    int listening_ = -1;
    QSocketNotifier* incoming_ = nullptr;   // a child, so it may go while it signals
    QString path_;
    QTimer watch_;
    std::map<int, std::unique_ptr<Client>> clients_;
    int idleTimeoutMs_ = kIdleTimeoutMs;
    std::function<void(const QString&)> receive_;
    std::function<void(const QStringList&)> receiveFiles_;
};

} // namespace handover
