#include "PosixLocks.h"

#include <QFile>
#include <QList>

#include <sys/stat.h>
#include <sys/sysmacros.h>

int posixLocksHeld(pid_t process, const QString& path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    // "1: POSIX  ADVISORY  READ 1234 08:01:5678 128 128"; a blocked waiter's
    // line starts "1: -> POSIX ..." and holds nothing.
    const QByteArray file = QString::asprintf("%02x:%02x:%llu", major(st.st_dev), minor(st.st_dev),
                                              static_cast<unsigned long long>(st.st_ino)).toLatin1();
    int held = 0;
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() >= 6 && words[1] == "POSIX" && words[4].toLongLong() == process && words[5] == file)
            ++held;
    }
    return held;
}
