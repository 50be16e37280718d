#include "TmpfsMount.h"

#include <QByteArray>
#include <QFile>

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

TmpfsMount::~TmpfsMount() { unmount(); }

QString TmpfsMount::mount(const QString& dir, const QString& size)
{
    if (geteuid() != 0)
        return QStringLiteral("mounting a tmpfs needs root");
    const QByteArray options = QStringLiteral("size=%1").arg(size).toLocal8Bit();
    if (::mount("tmpfs", dir.toLocal8Bit().constData(), "tmpfs", 0, options.constData()) != 0)
        return QStringLiteral("no tmpfs can be mounted here: ") + QString::fromLocal8Bit(std::strerror(errno));
    dir_ = dir;
    return QString();
}

bool TmpfsMount::remountReadOnly()
{
    return !dir_.isEmpty()
           && ::mount("tmpfs", dir_.toLocal8Bit().constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void TmpfsMount::fillUp(const QString& name)
{
    QFile filler(dir_ + QLatin1Char('/') + name);
    if (!filler.open(QIODevice::WriteOnly))
        return;
    const QByteArray block(64 * 1024, 'f');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    const QByteArray byte(1, 'f');
    while (filler.write(byte) == 1 && filler.flush()) {
    }
}

void TmpfsMount::unmount()
{
    if (!dir_.isEmpty())
        ::umount2(dir_.toLocal8Bit().constData(), MNT_DETACH);
    dir_.clear();
}
