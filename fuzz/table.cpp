// Table files that hold anything at all: opening one either works or fails
// with a database error, never a crash.
#include "store/Errors.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString file = dir.filePath(store::logoTableDef().fileName());
    QFile::remove(file + QStringLiteral("-wal"));
    QFile::remove(file + QStringLiteral("-shm"));
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        out.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    store::Table table(store::logoTableDef());
    table.setDirectory(dir.path());
    try {
        table.open();
        for (int row = 0; row < table.rowCount(); ++row) {
            table.moveTo(row);
            (void)table.text(store::LogoPage::PageTitle);
            (void)table.picture(store::LogoPage::picture(1));
        }
        table.close();
    } catch (const store::DatabaseError&) {
    }
    return 0;
}
