// Importing many logos at once, from files, folders and archives, without a
// question per file. A reading thread walks the sources and makes each file
// ready (SprayIntake: read, check, picture, fingerprint), a few files ahead;
// the window's thread takes them one event at a time, so the window stays
// responsive: a duplicate of a logo in the library or earlier in the batch is
// skipped, every other logo gets a name that fits the rule, its logo wad file
// and the next free slot, pages being added as they fill. Each logo is
// stored as it is placed, so a cancel or a crash keeps what came in.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <thread>

namespace core {

class Library;
struct PreparedLogo;

struct BatchEntry {
    QString file;
    QString detail;   // the logo's name; which logo it repeats; why it was skipped
    QString note;     // how an imported logo was made, when the logo maker made it
};

struct BatchSummary {
    QList<BatchEntry> imported;
    QList<BatchEntry> duplicates;
    QList<BatchEntry> skipped;
    bool cancelled = false;
    QString stopped;   // not empty: the library refused to go on, and why
    // Everything in plain lines, to read and to copy.
    QString text() const;
};

class BatchImport : public QObject {
    Q_OBJECT
public:
    BatchImport(Library& library, const QStringList& sources, QObject* parent = nullptr);
    // Stops the reading thread without waiting for the file it is at.
    ~BatchImport() override;

    void start();
    // Stops at once: nothing more is placed; what was placed stays stored.
    void cancel();

    bool isFinished() const { return finished_; }
    const BatchSummary& summary() const { return summary_; }
    int done() const { return done_; }
    int total() const { return total_; }   // -1 while the files are being counted
    // The time left, from the pace so far; -1 while unknown.
    int secondsLeft() const;

    // The name new pages get: the folder or archive imported, or the folder
    // that holds the files imported.
    static QString pageBaseName(const QStringList& sources);

signals:
    void progress(int done, int total, const QString& file);
    void finished();

private:
    struct Shared;
    void takeReady();
    void place(PreparedLogo& logo);
    void finish(bool cancelled);

    Library& library_;
    QStringList sources_;
    QString pageBase_;
    std::shared_ptr<Shared> shared_;
    std::thread reader_;
    QHash<QByteArray, QString> known_;   // fingerprint -> logo name
    QSet<QString> titles_;               // the slot titles in use
    // Where a logo wad file is written before it takes its name: the
    // import's working folder (empty: beside the logos).
    std::string workDir_;
    BatchSummary summary_;
    QElapsedTimer clock_;
    int done_ = 0;
    int total_ = -1;
    bool finished_ = false;
    bool started_ = false;
};

} // namespace core
