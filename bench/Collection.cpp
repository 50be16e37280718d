#include "Collection.h"

#include "Library.h"
#include "Operations.h"
#include "SprayPack.h"

#include "app/FindWindow.h"
#include "app/Program.h"
#include "app/Unit1.h"
#include "core/BatchImport.h"
#include "import/BatchSummaryDialog.h"
#include "import/LogoImport.h"
#include "store/Sqlite.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace bench {

namespace {

long residentKb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

} // namespace

void layOutPack(const QString& dir, int sprays)
{
    const QString marker = dir + QStringLiteral(".complete");   // beside it: in it, it would be a file to import
    if (QFile::exists(marker))
        return;
    QDir(dir).removeRecursively();
    spraypack::writePack(dir, {sprays, 0, 0, 0});
    QFile(marker).open(QIODevice::WriteOnly);
}

void generateFindLibrary(const QString& dir, int pages)
{
    generateLibrary(dir, 0);
    store::SqliteDb db;
    db.open(dir + QStringLiteral("/LogoDB.db"), false);
    db.exec(QStringLiteral("BEGIN"));
    store::SqliteStmt insert(db, pageInsertStatement());
    const QByteArray picture(2048, '\x7f');   // small, so that 80,000 of them stay a few hundred MiB
    for (int p = 0; p < pages; ++p) {
        insert.reset();
        insert.bindText(1, QStringLiteral("page%1").arg(p, 5, 10, QLatin1Char('0')));
        for (int n = 1; n <= 8; ++n) {
            insert.bindText(2 * n, QStringLiteral("l%1_%2").arg(p).arg(n));
            insert.bindBlob(2 * n + 1, picture);
        }
        insert.step();
    }
    db.exec(QStringLiteral("COMMIT"));
}

int batchChild(const QString& dir, const QString& pack)
{
    app::Program program;
    if (!startProgram(program, dir))
        return 1;
    logoimport::Importer& importer = program.mainWindow()->importer();
    QElapsedTimer clock;
    clock.start();
    importer.importMany({pack});
    if (!importer.batch())
        throw std::runtime_error("no batch started");
    long atTenth = 0;
    QObject::connect(importer.batch(), &core::BatchImport::progress, [&](int done, int total) {
        if (total > 0 && done == total / 10)
            atTenth = residentKb();
    });
    while (importer.isRunning())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double ms = clock.nsecsElapsed() / 1e6;
    const QString summary = importer.batchSummary()->text();
    std::printf("T %.3f\nRSS tenth %ld\nRSS end %ld\n", ms, atTenth, residentKb());
    std::fprintf(stderr, "%s\n", qPrintable(summary.section(QLatin1Char('\n'), 0, 0)));
    program.destroy();
    return 0;
}

int findChild(const QString& dir)
{
    app::Program program;
    if (!startProgram(program, dir))
        return 1;
    TForm1& form = *program.mainWindow();
    form.Find1Click();
    QLineEdit* field = form.findWindow()->field();
    // Parts that match one logo, many, or none; each typed as a whole.
    const QStringList parts{QStringLiteral("l4711_3"), QStringLiteral("_7"), QStringLiteral("l999"),
                            QStringLiteral("page0815"), QStringLiteral("nothing"), QStringLiteral("L12")};
    for (int round = 0; round < 5; ++round)
        for (const QString& part : parts) {
            field->clear();
            QElapsedTimer clock;
            clock.start();
            field->setText(part);   // the list is filled as the text changes
            std::printf("T %.3f\n", clock.nsecsElapsed() / 1e6);
        }
    program.destroy();
    return 0;
}

} // namespace bench
