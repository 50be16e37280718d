#include "Library.h"

#include "store/Installer.h"
#include "store/PictureField.h"
#include "store/Records.h"
#include "store/Sqlite.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>

#include <stdexcept>

namespace bench {

namespace {

QByteArray logoPicture(int seed)
{
    const bool wide = seed % 2;
    QImage image(wide ? 256 : 112, wide ? 48 : 96, QImage::Format_RGB888);
    QRandomGenerator random(static_cast<quint32>(seed));
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.width() * 3; ++x)
            line[x] = static_cast<uchar>(random.bounded(256));
    }
    return store::pictureFromImage(image);
}

} // namespace

QString pageInsertStatement()
{
    QString sql = QStringLiteral("INSERT INTO \"LogoDB\" VALUES (?");
    for (int i = 0; i < 16; ++i)
        sql += QStringLiteral(",?");
    return sql + QLatin1Char(')');
}

void generateLibrary(const QString& dir, int pages)
{
    QDir().mkpath(dir);
    const store::InstallReport report = store::installTables(dir);
    if (!report.failures.isEmpty())
        throw std::runtime_error(report.failures.join(QLatin1Char('\n')).toStdString());

    QFile fixture(QStringLiteral(TAGOMAT_FIXTURES_DIR "/spray-a.wad"));
    if (!fixture.open(QIODevice::ReadOnly))
        throw std::runtime_error("the spray fixture is missing");
    const QByteArray wad = fixture.readAll();

    // A handful of distinct pictures, reused: the sizes are real, the work of
    // making 8,000 random bitmaps is not what is measured.
    QVector<QByteArray> pictures;
    for (int i = 0; i < 16; ++i)
        pictures << logoPicture(i);

    store::SqliteDb db;
    db.open(dir + QStringLiteral("/LogoDB.db"), false);
    db.exec(QStringLiteral("BEGIN"));
    store::SqliteStmt insert(db, pageInsertStatement());
    for (int p = 0; p < pages; ++p) {
        insert.reset();
        insert.bindText(1, QStringLiteral("page%1").arg(p, 5, 10, QLatin1Char('0')));
        for (int n = 1; n <= 8; ++n) {
            const QString title = QStringLiteral("l%1_%2").arg(p).arg(n);
            insert.bindText(2 * n, title);
            insert.bindBlob(2 * n + 1, pictures[(p * 8 + n) % pictures.size()]);
            QFile file(dir + QLatin1Char('/') + title + QStringLiteral(".wad"));
            if (file.open(QIODevice::WriteOnly))
                file.write(wad);
        }
        insert.step();
    }
    db.exec(QStringLiteral("COMMIT"));

    store::SqliteDb config;
    config.open(dir + QStringLiteral("/ConfigDB.db"), false);
    config.exec(QStringLiteral("UPDATE \"ConfigDB\" SET \"ConfigSaved\" = 'Yes', \"ExtraConfigSaved\" = 'Yes', \"WaitTime\" = '0'"));

    QFile::copy(QStringLiteral(TAGOMAT_SOURCE_DIR "/resources/empty.bmp"), dir + QStringLiteral("/empty.bmp"));
    for (const char* tool : {"wad3", "i_view32"}) {
        const QString built = QStringLiteral(TAGOMAT_BUILT_PROGRAM_DIR "/") + QLatin1String(tool);
        const QString target = dir + QLatin1Char('/') + QLatin1String(tool);
        QFile::remove(target);
        QFile::copy(built, target);
        QFile::setPermissions(target, QFile::permissions(built));
    }
}

} // namespace bench
