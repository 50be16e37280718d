#include "ArchiveLib.h"

#include "store/LateLibrary.h"

#include <mutex>

namespace core {

const ArchiveLib* archiveLib(QString* why)
{
    static ArchiveLib lib;
    static QString problem;
    static std::once_flag once;
    std::call_once(once, [] {
        problem = store::loadLate(QStringLiteral("archive"), 13, QStringLiteral("libarchive"),   // libarchive 3
                                  [](QLibrary& library, QString& missing) {
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
                                  });
    });
    if (!problem.isEmpty()) {
        if (why)
            *why = problem;
        return nullptr;
    }
    return &lib;
}

} // namespace core
