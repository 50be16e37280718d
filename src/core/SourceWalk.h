// The files of a batch import: files, folders and archives (.zip, .7z,
// .rar, .tar.*) given by the user, walked to any depth, an archive inside a
// folder or inside another archive included. Archives are read through
// libarchive, one file at a time and never unpacked to disk.
#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace core {

struct SourceFile {
    QString path;        // as shown to the user: an archive's files as archive/inner/path
    QString name;        // the file's own name
    QString container;   // the folder or archive it lies in, by name (an archive without its extension)
    std::vector<std::uint8_t> bytes;   // read only when the file is wanted
    QString error;       // why it could not be read; empty when it was
};

// True for the names of the archives the walk opens.
bool isArchiveName(const QString& name);
// An archive's name without its extension ("pack.tar.gz" gives "pack").
QString archiveBaseName(const QString& name);

class SourceWalk {
public:
    // How many bytes of a file to read, by its name; 0 leaves it unread.
    using ReadLimit = std::function<std::size_t(const QString& name)>;

    SourceWalk(const QStringList& roots, ReadLimit limit);
    ~SourceWalk();
    SourceWalk(const SourceWalk&) = delete;
    SourceWalk& operator=(const SourceWalk&) = delete;

    // The next file; false after the last. A folder or archive that cannot
    // be opened comes as a file with its error.
    bool next(SourceFile& file);

private:
    class Frame;
    class FolderFrame;
    class ArchiveFrame;
    bool enter(const QString& path, const QString& shown, SourceFile& file);

    QStringList roots_;
    int nextRoot_ = 0;
    ReadLimit limit_;
    std::vector<std::unique_ptr<Frame>> stack_;
};

} // namespace core
