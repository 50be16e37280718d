#include "ArchiveLib.h"

#include "store/LateLibrary.h"

#include <QLibrary>

#include <mutex>

namespace core {

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
        store::resolveLate(library, "archive_read_new", lib.readNew, missing);
        store::resolveLate(library, "archive_read_support_filter_all", lib.supportFilterAll, missing);
        store::resolveLate(library, "archive_read_support_format_all", lib.supportFormatAll, missing);
        store::resolveLate(library, "archive_read_open_filename", lib.openFilename, missing);
        store::resolveLate(library, "archive_read_open_memory", lib.openMemory, missing);
        store::resolveLate(library, "archive_read_next_header", lib.nextHeader, missing);
        store::resolveLate(library, "archive_read_data", lib.readData, missing);
        store::resolveLate(library, "archive_read_free", lib.readFree, missing);
        store::resolveLate(library, "archive_error_string", lib.errorString, missing);
        store::resolveLate(library, "archive_entry_filetype", lib.entryFiletype, missing);
        store::resolveLate(library, "archive_entry_pathname", lib.entryPathname, missing);
        store::resolveLate(library, "archive_entry_pathname_utf8", lib.entryPathnameUtf8, missing);
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
