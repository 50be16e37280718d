#include "SourceWalk.h"

#include "ArchiveLib.h"
#include "files/FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace core {

namespace {

// An archive inside an archive is read into memory to be walked: this much
// at most, and this many archives deep.
constexpr std::size_t kMaxInnerArchiveBytes = std::size_t(64) << 20;
constexpr int kMaxArchiveDepth = 4;

const char* const kArchiveSuffixes[] = {".zip", ".7z", ".rar", ".tar", ".tgz", ".tbz2", ".txz", ".tzst"};

QString lastPart(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString sizeLimitText(std::size_t limit)
{
    return QString::fromStdString(files::describeLimit(limit));
}

} // namespace

bool isArchiveName(const QString& name)
{
    const QString lower = name.toLower();
    for (const char* suffix : kArchiveSuffixes)
        if (lower.endsWith(QLatin1String(suffix)))
            return true;
    return lower.contains(QLatin1String(".tar."));   // .tar.gz, .tar.xz and the like
}

QString archiveBaseName(const QString& name)
{
    const QString lower = name.toLower();
    const int tar = lower.lastIndexOf(QLatin1String(".tar."));
    if (tar > 0)
        return name.left(tar);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

// One open folder or archive of the walk.
class SourceWalk::Frame {
public:
    enum class Found { End, File, Folder, Archive };
    virtual ~Frame() = default;
    // The next entry: a file (in `file`), a folder or archive on disk to
    // enter (its path in `file.path`), an archive read into `file.bytes`
    // (Archive with an empty error), or the end.
    virtual Found next(const ReadLimit& limit, SourceFile& file, QString& diskPath) = 0;
    int depth = 0;   // archives around this frame
};

class SourceWalk::FolderFrame : public Frame {
public:
    FolderFrame(const QString& path, const QString& shown) : shown_(shown), name_(QFileInfo(path).fileName())
    {
        entries_ = QDir(path).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                            QDir::Name);
    }

    Found next(const ReadLimit& limit, SourceFile& file, QString& diskPath) override
    {
        while (at_ < entries_.size()) {
            const QFileInfo entry = entries_[at_++];
            file = SourceFile();
            file.name = entry.fileName();
            file.path = shown_ + QLatin1Char('/') + file.name;
            file.container = name_;
            diskPath = entry.filePath();
            if (entry.isDir()) {
                if (entry.isSymLink())
                    continue;   // a link may lead back up: folders are walked where they lie
                return Found::Folder;
            }
            if (isArchiveName(file.name) && entry.isFile())
                return Found::Archive;
            const std::size_t bytes = limit(file.name);
            if (bytes > 0) {
                try {
                    file.bytes = files::readAll(diskPath.toStdString(), bytes);
                } catch (const files::FileError& e) {
                    file.error = QString::fromUtf8(e.what());
                }
            }
            return Found::File;
        }
        return Found::End;
    }

private:
    QString shown_;
    QString name_;
    QFileInfoList entries_;
    int at_ = 0;
};

class SourceWalk::ArchiveFrame : public Frame {
public:
    ArchiveFrame(const QString& shown, const QString& name, std::vector<std::uint8_t> inMemory = {})
        : shown_(shown), baseName_(archiveBaseName(name)), memory_(std::move(inMemory)), lib_(archiveLib(&libProblem_))
    {
        if (!lib_)
            return;
        archive_ = lib_->readNew();
        if (archive_) {
            lib_->supportFilterAll(archive_);
            lib_->supportFormatAll(archive_);
        }
    }
    ~ArchiveFrame() override
    {
        if (archive_)
            lib_->readFree(archive_);
    }

    // Empty, or why the archive cannot be read.
    QString open(const QString& diskPath)
    {
        if (!lib_)
            return libProblem_;
        if (!archive_)
            return QStringLiteral("out of memory");
        const int rc = memory_.empty() && !diskPath.isEmpty()
                           ? lib_->openFilename(archive_, QFile::encodeName(diskPath).constData(), 1 << 16)
                           : lib_->openMemory(archive_, memory_.data(), memory_.size());
        return rc == ARCHIVE_OK ? QString() : errorText();
    }

    Found next(const ReadLimit& limit, SourceFile& file, QString& diskPath) override
    {
        diskPath.clear();
        if (ended_)
            return Found::End;
        archive_entry* entry = nullptr;
        for (;;) {
            const int rc = lib_->nextHeader(archive_, &entry);
            if (rc == ARCHIVE_EOF) {
                ended_ = true;
                return Found::End;
            }
            if (rc < ARCHIVE_WARN) {
                // A damaged archive: what came before it stays imported.
                ended_ = true;
                file = SourceFile();
                file.path = shown_;
                file.name = lastPart(shown_);
                file.container = baseName_;
                file.error = QStringLiteral("the archive is damaged: ") + errorText();
                return Found::File;
            }
            if (lib_->entryFiletype(entry) == AE_IFREG)
                break;
        }
        const char* utf8 = lib_->entryPathnameUtf8(entry);
        const QString inner = utf8 ? QString::fromUtf8(utf8) : QString::fromLocal8Bit(lib_->entryPathname(entry));
        file = SourceFile();
        file.path = shown_ + QLatin1Char('/') + inner;
        file.name = lastPart(inner);
        const QStringList parts = inner.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        file.container = parts.size() >= 2 ? parts[parts.size() - 2] : baseName_;
        if (isArchiveName(file.name)) {
            if (depth >= kMaxArchiveDepth) {
                file.error = QStringLiteral("it lies in more than %1 archives one inside the other").arg(kMaxArchiveDepth);
                return Found::File;
            }
            readData(kMaxInnerArchiveBytes, file);
            return file.error.isEmpty() ? Found::Archive : Found::File;
        }
        if (const std::size_t bytes = limit(file.name))
            readData(bytes, file);
        return Found::File;
    }

private:
    QString errorText() const
    {
        const char* text = lib_->errorString(archive_);
        return text ? QString::fromLocal8Bit(text) : QStringLiteral("unknown error");
    }

    void readData(std::size_t limit, SourceFile& file)
    {
        char buffer[1 << 16];
        for (;;) {
            const la_ssize_t n = lib_->readData(archive_, buffer, sizeof buffer);
            if (n == 0)
                return;
            if (n < 0) {
                file.bytes.clear();
                file.bytes.shrink_to_fit();
                file.error = QStringLiteral("it could not be unpacked: ") + errorText();
                return;
            }
            if (file.bytes.size() + std::size_t(n) > limit) {
                file.bytes.clear();
                file.bytes.shrink_to_fit();
                file.error = QStringLiteral("it is larger than %1").arg(sizeLimitText(limit));
                return;
            }
            file.bytes.insert(file.bytes.end(), buffer, buffer + n);
        }
    }

    QString shown_;
    QString baseName_;
    std::vector<std::uint8_t> memory_;
    QString libProblem_;
    const ArchiveLib* lib_;
    archive* archive_ = nullptr;
    bool ended_ = false;
};

SourceWalk::SourceWalk(const QStringList& roots, ReadLimit limit) : roots_(roots), limit_(std::move(limit)) {}

SourceWalk::~SourceWalk() = default;

// Opens a folder or archive on disk; false with `file` filled when it
// cannot be opened.
bool SourceWalk::enter(const QString& path, const QString& shown, SourceFile& file)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        auto frame = std::make_unique<FolderFrame>(path, shown);
        frame->depth = stack_.empty() ? 0 : stack_.back()->depth;
        stack_.push_back(std::move(frame));
        return true;
    }
    auto frame = std::make_unique<ArchiveFrame>(shown, info.fileName());
    QString error;
    try {
        files::requireRegularFile(path.toStdString());   // never a pipe that would hold the walk
        error = frame->open(path);
    } catch (const files::FileError& e) {
        error = QString::fromUtf8(e.what());
    }
    if (!error.isEmpty()) {
        file.error = QStringLiteral("the archive could not be opened: ") + error;
        return false;
    }
    frame->depth = (stack_.empty() ? 0 : stack_.back()->depth) + 1;
    stack_.push_back(std::move(frame));
    return true;
}

bool SourceWalk::next(SourceFile& file)
{
    for (;;) {
        if (stack_.empty()) {
            if (nextRoot_ >= roots_.size())
                return false;
            const QString root = QFileInfo(roots_[nextRoot_++]).absoluteFilePath();
            const QFileInfo info(root);
            file = SourceFile();
            file.path = root;
            file.name = info.fileName();
            file.container = info.dir().dirName();
            if (info.isDir() || (info.isFile() && isArchiveName(file.name))) {
                if (!enter(root, root, file))
                    return true;
                continue;
            }
            if (const std::size_t bytes = limit_(file.name)) {
                try {
                    file.bytes = files::readAll(root.toStdString(), bytes);
                } catch (const files::FileError& e) {
                    file.error = QString::fromUtf8(e.what());
                }
            }
            return true;
        }
        QString diskPath;
        switch (stack_.back()->next(limit_, file, diskPath)) {
        case Frame::Found::End:
            stack_.pop_back();
            break;
        case Frame::Found::File:
            return true;
        case Frame::Found::Folder:
        case Frame::Found::Archive:
            if (!diskPath.isEmpty()) {
                if (!enter(diskPath, file.path, file))
                    return true;
            } else {
                auto frame = std::make_unique<ArchiveFrame>(file.path, file.name, std::move(file.bytes));
                const QString error = frame->open(QString());
                if (!error.isEmpty()) {
                    file.bytes.clear();
                    file.error = QStringLiteral("the archive could not be opened: ") + error;
                    return true;
                }
                frame->depth = stack_.back()->depth + 1;
                stack_.push_back(std::move(frame));
            }
            break;
        }
    }
}

} // namespace core
