#include "FileOps.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <set>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__linux__)
#include <sys/syscall.h>
#include <linux/fs.h>
#endif

namespace files {

bool FileError::targetExists() const { return code_ == EEXIST; }

namespace {

std::string reason(int err) { return std::strerror(err); }

[[noreturn]] void fail(const std::string& what, const std::string& path, int err)
{
    throw FileError(what + " " + path + ": " + reason(err), err);
}

void writeAllTo(int fd, const std::uint8_t* data, size_t size, const std::string& path, bool sync = true)
{
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("cannot write", path, errno);
        }
        done += static_cast<size_t>(n);
    }
    if (sync && ::fsync(fd) != 0)
        fail("cannot flush", path, errno);
}

std::string directoryOf(const std::string& path)
{
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

void syncDirectory(const std::string& path)
{
    int fd = ::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// "<target>.part<pid>-<attempt>": the writer's process id tells a file
// that is still being written from one whose writer has died.
std::string temporaryName(const std::string& path, pid_t pid, int attempt)
{
    return path + ".part" + std::to_string(pid) + "-" + std::to_string(attempt);
}

// Splits a temporary file name into its target and writer; false for any
// other name.
bool parseTemporaryName(const std::string& name, std::string& target, long& pid)
{
    const auto mark = name.rfind(".part");
    if (mark == std::string::npos || mark == 0)
        return false;
    const std::string rest = name.substr(mark + 5);
    const auto dash = rest.find('-');
    // At most 9 digits of process id and 2 of attempt, as temporaryName writes them.
    if (dash == std::string::npos || dash == 0 || dash + 1 == rest.size() || dash > 9 || rest.size() - dash - 1 > 2)
        return false;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (i != dash && (rest[i] < '0' || rest[i] > '9'))
            return false;
    }
    target = name.substr(0, mark);
    pid = std::stol(rest.substr(0, dash));
    return pid > 0;
}

} // namespace

bool processRuns(long pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

bool exists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

namespace {

const char* kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a named pipe";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    return "no ordinary file";
}

} // namespace

int openRegularFile(const std::string& path)
{
    // O_NONBLOCK: opening a pipe that has no writer would wait for one.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        fail("cannot open", path, errno);
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        int err = errno;
        ::close(fd);
        fail("cannot read", path, err);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throw FileError("cannot read " + path + ": it is " + kindOf(st.st_mode) + ", not a regular file",
                        S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

void requireRegularFile(const std::string& path)
{
    ::close(openRegularFile(path));
}

std::vector<std::uint8_t> readAll(const std::string& path, std::size_t limit)
{
    const int fd = openRegularFile(path);
    struct stat st;
    if (::fstat(fd, &st) != 0)
        st.st_size = 0;
    const auto tooLarge = [&] {
        ::close(fd);
        throw FileError("cannot read " + path + ": it is larger than " + describeLimit(limit), EFBIG);
    };
    // The size is only a hint: a file in /proc says 0 and a file may grow;
    // what counts is what is read.
    if (static_cast<unsigned long long>(st.st_size) > limit)
        tooLarge();
    std::vector<std::uint8_t> data;
    data.reserve(static_cast<size_t>(st.st_size));
    std::uint8_t buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            ::close(fd);
            fail("cannot read", path, err);
        }
        if (n == 0)
            break;
        if (static_cast<size_t>(n) > limit - data.size())
            tooLarge();
        data.insert(data.end(), buffer, buffer + n);
    }
    ::close(fd);
    return data;
}

bool removeFile(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

void renameNoReplace(const std::string& from, const std::string& to)
{
#if defined(__linux__) && defined(SYS_renameat2)
    if (::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        syncDirectory(to);
        return;
    }
    if (errno != EINVAL && errno != ENOSYS)
        fail("cannot rename " + from + " to", to, errno);
#endif
    // Without renameat2: a hard link fails when the target exists.
    if (::link(from.c_str(), to.c_str()) != 0)
        fail("cannot rename " + from + " to", to, errno);
    if (::unlink(from.c_str()) != 0) {
        int err = errno;
        ::unlink(to.c_str());
        fail("cannot rename " + from + " to", to, err);
    }
    syncDirectory(to);
}

void renameAllNoReplace(const std::vector<std::pair<std::string, std::string>>& moves)
{
    std::size_t done = 0;
    try {
        for (; done < moves.size(); ++done)
            renameNoReplace(moves[done].first, moves[done].second);
    } catch (const FileError& e) {
        std::string stranded;
        while (done > 0) {
            --done;
            try {
                renameNoReplace(moves[done].second, moves[done].first);
            } catch (const FileError&) {
                stranded += (stranded.empty() ? "" : ", ") + moves[done].second;
            }
        }
        if (stranded.empty())
            throw;
        throw FileError(std::string(e.what()) + "; these could not be put back: " + stranded, e.code());
    }
}

bool addName(const std::string& from, const std::string& to)
{
    if (::link(from.c_str(), to.c_str()) == 0) {
        syncDirectory(to);
        return true;
    }
    if (errno != EPERM && errno != EXDEV && errno != ENOSYS && errno != EOPNOTSUPP)
        fail("cannot rename " + from + " to", to, errno);
    return false;
}

bool addNameNoReplace(const std::string& from, const std::string& to)
{
    if (addName(from, to))
        return true;
    renameNoReplace(from, to);
    return false;
}

namespace {

// A temporary file older than this is abandoned even when a process of its
// number runs: that is another process by now (a write takes moments).
constexpr int kAbandonedAfterSeconds = 10 * 60;

// The first write of a kind of file (by its extension) into a folder in
// this run sweeps the temporary files of that kind earlier runs left there:
// "photo.png" clears "*.png.part<pid>-<n>", never another program's files
// of other kinds that happen to be named alike.
void sweepFolderOnce(const std::string& path)
{
    const std::string directory = directoryOf(path);
    const std::string name = path.substr(path.rfind('/') + 1);
    const auto dot = name.rfind('.');
    const std::string pattern = dot == std::string::npos || dot == 0 ? name : "*" + name.substr(dot);
    static std::mutex guard;
    static std::set<std::string> swept;
    {
        std::lock_guard<std::mutex> lock(guard);
        if (!swept.insert(directory + '\0' + pattern).second)
            return;
    }
    removeStaleTemporaries(directory, {pattern}, kAbandonedAfterSeconds);
}

// Writes `data` to a new temporary file beside `path` (with `mode` when it is
// not negative) and returns its name; on failure nothing is left behind.
std::string writeTemporary(const std::string& path, const std::vector<std::uint8_t>& data, bool sync, int mode)
{
    sweepFolderOnce(path);
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = temporaryName(path, ::getpid(), attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST)
            fail("cannot create", temp, errno);
    }
    if (fd < 0)
        fail("cannot create", temp, EEXIST);
    try {
        if (mode >= 0 && ::fchmod(fd, static_cast<mode_t>(mode)) != 0)
            fail("cannot set the mode of", temp, errno);
        writeAllTo(fd, data.data(), data.size(), temp, sync);
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    if (::close(fd) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        fail("cannot write", temp, err);
    }
    return temp;
}

} // namespace

void writeAtomically(const std::string& path, const std::vector<std::uint8_t>& data, Durability durability, int mode)
{
    const bool sync = durability == Durability::Synced;
    const std::string temp = writeTemporary(path, data, sync, mode);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        fail("cannot replace", path, err);
    }
    if (sync)
        syncDirectory(path);
}

void flushFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fail("cannot open", path, errno);
    const int flushed = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    if (flushed != 0)
        fail("cannot flush", path, err);
}

void flushDirectoryOf(const std::string& path) { syncDirectory(path); }

void copyExclusive(const std::string& from, const std::string& to, std::size_t limit, const std::string& temporaryDir)
{
    if (exists(to))
        fail("cannot create", to, EEXIST);
    writeExclusive(to, readAll(from, limit), temporaryDir);
}

void writeExclusive(const std::string& to, const std::vector<std::uint8_t>& data, const std::string& temporaryDir)
{
    // The file gets its name only when it is whole: a kill while writing
    // leaves a temporary file (swept by removeStaleTemporaries), never a
    // short file under the final name.
    if (exists(to))
        fail("cannot create", to, EEXIST);
    const std::string base = temporaryDir.empty() ? to : temporaryDir + "/" + to.substr(to.rfind('/') + 1);
    const std::string temp = writeTemporary(base, data, true, -1);
    try {
        renameNoReplace(temp, to);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
}

void copyAtomically(const std::string& from, const std::string& to, std::size_t limit, int mode)
{
    writeAtomically(to, readAll(from, limit), Durability::Synced, mode);
}

int removeStaleTemporaries(const std::string& directory, const std::vector<std::string>& targetPatterns,
                           int abandonedAfterSeconds)
{
    const std::time_t now = std::time(nullptr);
    const auto matches = [&targetPatterns](const std::string& target) {
        for (const std::string& pattern : targetPatterns)
            if (::fnmatch(pattern.c_str(), target.c_str(), 0) == 0)
                return true;
        return false;
    };
    DIR* dir = ::opendir(directory.c_str());
    if (!dir)
        return 0;
    std::vector<std::pair<std::string, bool>> stale;   // name, whether its writer's number runs
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        std::string target;
        long pid = 0;
        if (parseTemporaryName(name, target, pid) && matches(target))
            stale.push_back({name, processRuns(pid)});
    }
    ::closedir(dir);
    int removed = 0;
    for (const auto& [name, writerRuns] : stale) {
        const std::string path = directory + "/" + name;
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        const bool abandoned = abandonedAfterSeconds > 0 && now - st.st_mtime > abandonedAfterSeconds;
        if ((!writerRuns || abandoned) && ::unlink(path.c_str()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace files
