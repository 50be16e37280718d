// Tables of older libraries: whatever bytes lie in LogoDB.db and LogoDB.MB,
// reading them either works or fails with a ParadoxError, never a crash.
// The first two bytes split the input between the two files.
#include "store/ParadoxTable.h"
#include "store/Records.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    if (size < 2)
        return 0;
    const std::size_t split = std::min<std::size_t>(size - 2, (std::size_t(data[0]) << 8 | data[1]) * 16);
    const char* bytes = reinterpret_cast<const char*>(data + 2);
    auto write = [](const QString& path, const char* from, std::size_t count) {
        QFile out(path);
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(from, static_cast<qint64>(count));
    };
    write(dir.filePath(QStringLiteral("LogoDB.db")), bytes, size - 2 - split);
    write(dir.filePath(QStringLiteral("LogoDB.MB")), bytes + (size - 2 - split), split);
    try {
        (void)store::readParadoxTable(dir.path(), store::logoTableDef());
    } catch (const store::ParadoxError&) {
    }
    return 0;
}
