// File operations that never leave half a file behind and never replace
// another file by accident. Paths are UTF-8, joined with "/".
#pragma once

#include "files/ReadLimits.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace files {

// An input/output error; what() names the path and the reason, code() is
// the system's error number (0 when there is none).
class FileError : public std::runtime_error {
public:
    explicit FileError(const std::string& what, int code = 0) : std::runtime_error(what), code_(code) {}
    int code() const { return code_; }
    // The target of a copy or rename exists already.
    bool targetExists() const;

private:
    int code_;
};

bool exists(const std::string& path);

// Opens a file for reading without waiting on it: a named pipe, a device or
// a socket is refused with a FileError that says what it is, before anything
// could block on it. Returns a descriptor the caller closes.
int openRegularFile(const std::string& path);
// The same check alone: throws unless the file can be opened and is regular.
void requireRegularFile(const std::string& path);

// The whole file, refused with a FileError that names the file and the
// limit once more than `limit` bytes have been read (before anything is
// kept beyond it); a file that is not a regular file is refused as above.
// ReadLimits.h has the limit for each kind of file.
std::vector<std::uint8_t> readAll(const std::string& path, std::size_t limit);

// Flushes a file's data to the disk, and the entries of the directory
// holding `path`; for files written without flushes of their own.
void flushFile(const std::string& path);
void flushDirectoryOf(const std::string& path);

// Removes a file; false when it was not there or could not be removed.
bool removeFile(const std::string& path);

// Creates `to` exclusively with the bytes of `from`, flushed to disk. Fails
// when `to` exists already; a failed copy leaves no partial file. The bytes
// are written under a temporary name that gets the name `to` once whole.
// A `from` longer than `limit` bytes is refused before anything is written.
// Given `temporaryDir` (on the file system of `to`), the temporary name lies
// there instead of beside `to`.
void copyExclusive(const std::string& from, const std::string& to, std::size_t limit,
                   const std::string& temporaryDir = std::string());
// The same with bytes already read.
void writeExclusive(const std::string& to, const std::vector<std::uint8_t>& data,
                    const std::string& temporaryDir = std::string());

// Renames within one file system; fails when `to` exists already, where a
// plain rename() would silently destroy it.
void renameNoReplace(const std::string& from, const std::string& to);

// Renames each pair (from, to) in turn as renameNoReplace does: all or
// none. When one fails, those already renamed get their first names back,
// the last first, and the error is thrown again; its text then also names
// any file that could not go back.
void renameAllNoReplace(const std::vector<std::pair<std::string, std::string>>& moves);

// How far a write is taken before it counts as done: to the disk (it
// survives a power cut), or to the operating system (it survives the
// program; enough for a working file that is read and deleted at once).
enum class Durability { Synced, Flushed };

// Gives the file `from` the second name `to` (a hard link), failing when
// `to` exists. Where the file system has no hard links, the file is renamed
// instead (no-replace) and the result is false; true when both names now
// lead to the file.
bool addNameNoReplace(const std::string& from, const std::string& to);
// The hard link alone: false, with nothing changed, where the file system
// has none.
bool addName(const std::string& from, const std::string& to);

// Writes `data` to a temporary file beside `path` (a name that does not end
// like `path`), flushes it and renames it over `path`: readers see either
// the old file or the complete new one. A `mode` of 0 or more is given to the
// new file before it takes the name (0444 leaves it read-only); a read-only
// file of that name is replaced all the same, as the folder is what is written.
void writeAtomically(const std::string& path, const std::vector<std::uint8_t>& data,
                     Durability durability = Durability::Synced, int mode = -1);

// Replaces `to` with a copy of `from` through writeAtomically; a `from`
// longer than `limit` bytes is refused before anything is written.
void copyAtomically(const std::string& from, const std::string& to, std::size_t limit, int mode);

// A process that dies in the middle of writeAtomically leaves its temporary
// file behind. Removes from `directory`, in one pass over it, those
// temporary files whose process has ended and whose target name matches one
// of `targetPatterns` (shell patterns such as "pldecal.wad" or "*.pcx"); the
// files of a process that still runs are left alone, unless
// `abandonedAfterSeconds` is above 0 and the file has not been written for
// longer (its number then belongs to another process). Returns how many were
// removed. Only names of the exact form "<target>.part<pid>-<attempt>" count.
//
// Every writer here (writeAtomically, writeExclusive, copyAtomically) does
// this itself the first time in a run that it writes a kind of file (by
// its extension) into a folder, for the targets of that kind, with files
// older than ten minutes counted as abandoned: what a kill leaves in a
// folder of the user's goes with the next write of its kind there.
int removeStaleTemporaries(const std::string& directory, const std::vector<std::string>& targetPatterns,
                           int abandonedAfterSeconds = 0);

// True while a process of this number runs (or cannot be asked).
bool processRuns(long pid);

} // namespace files
