#include "ArchiveLib.h"

#include <QLibrary>

#include <mutex>

namespace core {

namespace {

template <typename F>
void resolve(QLibrary& library, const char* name, F& function, QString& missing)
{
    function = reinterpret_cast<F>(library.resolve(name));
    if (!function && missing.isEmpty())
        missing = QString::fromLatin1(name);
}

} // namespace

const ArchiveLib* archiveLib(QString* why)
{
    static ArchiveLib lib;
    static QString problem;
    static std::once_flag once;
    std::call_once(once, [] {
        QLibrary library(QStringLiteral("archive"), 13);   // libarchive 3
        if (!library.load()) {
            problem = QStringLiteral("libarchive could not be loaded (%1)").arg(library.errorString());
            return;
        }
        QString missing;
        resolve(library, "archive_read_new", lib.readNew, missing);
        resolve(library, "archive_read_support_filter_all", lib.supportFilterAll, missing);
        resolve(library, "archive_read_support_format_all", lib.supportFormatAll, missing);
        resolve(library, "archive_read_open_filename", lib.openFilename, missing);
        resolve(library, "archive_read_open_memory", lib.openMemory, missing);
        resolve(library, "archive_read_next_header", lib.nextHeader, missing);
        resolve(library, "archive_read_data", lib.readData, missing);
        resolve(library, "archive_read_free", lib.readFree, missing);
        resolve(library, "archive_error_string", lib.errorString, missing);
        resolve(library, "archive_entry_filetype", lib.entryFiletype, missing);
        resolve(library, "archive_entry_pathname", lib.entryPathname, missing);
        resolve(library, "archive_entry_pathname_utf8", lib.entryPathnameUtf8, missing);
        if (!missing.isEmpty())
            problem = QStringLiteral("libarchive lacks %1").arg(missing);
        // The library stays loaded: the QLibrary object goes, the library does not.
    });
    if (!problem.isEmpty()) {
        if (why)
            *why = problem;
        return nullptr;
    }
    return &lib;
}

} // namespace core
