// libarchive, loaded when a batch import first opens an archive rather than
// linked: with libxml2, nettle and the ACL library it brings, every start
// would map and bind five libraries that only an archive import uses.
#pragma once

#include <QString>

#include <archive.h>
#include <archive_entry.h>

namespace core {

struct ArchiveLib {
    decltype(&archive_read_new) readNew = nullptr;
    decltype(&archive_read_support_filter_all) supportFilterAll = nullptr;
    decltype(&archive_read_support_format_all) supportFormatAll = nullptr;
    decltype(&archive_read_open_filename) openFilename = nullptr;
    decltype(&archive_read_open_memory) openMemory = nullptr;
    decltype(&archive_read_next_header) nextHeader = nullptr;
    decltype(&archive_read_data) readData = nullptr;
    decltype(&archive_read_free) readFree = nullptr;
    decltype(&archive_error_string) errorString = nullptr;
    decltype(&archive_entry_filetype) entryFiletype = nullptr;
    decltype(&archive_entry_pathname) entryPathname = nullptr;
    decltype(&archive_entry_pathname_utf8) entryPathnameUtf8 = nullptr;
};

// The loaded library, or null with `why` saying why it could not be loaded.
const ArchiveLib* archiveLib(QString* why);

} // namespace core
