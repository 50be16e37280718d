#include "LibraryMerge.h"

#include "FileNameCase.h"
#include "ProgramDir.h"
#include "ParadoxTable.h"
#include "Records.h"
#include "UniqueTitle.h"
#include "files/FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace store {

namespace {

std::string nameOf(const QString& path) { return QFile::encodeName(path).toStdString(); }

QVector<QVector<QVariant>> readOwnTable(const QString& path)
{
    const QFileInfo info(path);
    Table table(logoTableDef());
    table.setDirectory(info.path());
    table.setFileName(info.fileName());
    table.open();
    QVector<QVector<QVariant>> pages;
    for (int row = 0; row < table.rowCount(); ++row) {
        table.moveTo(row);
        QVector<QVariant> page(logoTableDef().fields.size());
        for (int f = 0; f < page.size(); ++f)
            page[f] = logoTableDef().fields[f].kind == FieldKind::Text ? QVariant(table.text(f)) : QVariant(table.picture(f));
        pages << page;
    }
    return pages;
}

// The titles in use, compared as a file system that ignores case would.
struct Taken {
    QSet<QString> titles;
    bool contains(const QString& title) const { return titles.contains(title.toCaseFolded()); }
    void insert(const QString& title) { titles.insert(title.toCaseFolded()); }
};

} // namespace

QVector<QVector<QVariant>> readLibraryPages(const QString& folder, QStringList* problems)
{
    const QString path = fileInAnyCase(folder, logoTableDef().fileName());
    if (path.isEmpty())
        throw MergeError(QStringLiteral("%1 holds no library (no %2).")
                             .arg(QDir::toNativeSeparators(folder), logoTableDef().fileName()).toStdString());
    try {
        if (isParadoxTable(path)) {
            ParadoxRows read = readParadoxTable(folder, logoTableDef());
            if (problems)
                *problems << read.problems;
            return read.rows;
        }
        return readOwnTable(path);
    } catch (const std::exception& e) {   // ParadoxError, DatabaseError
        throw MergeError(QStringLiteral("The library in %1 cannot be read: %2")
                             .arg(QDir::toNativeSeparators(folder), QString::fromUtf8(e.what())).toStdString());
    }
}

MergeReport mergeLibrary(const QString& folder, Table& logoTable, const QString& programDir)
{
    if (QFileInfo(folder).canonicalFilePath() == QFileInfo(programDir).canonicalFilePath())
        throw MergeError("This folder is the current library itself; nothing was imported.");
    MergeReport report;
    const QVector<QVector<QVariant>> pages = readLibraryPages(folder, &report.problems);

    try {
        if (logoTable.isEditing())
            logoTable.post();
    } catch (const DatabaseError& e) {
        throw MergeError(QStringLiteral("The current page cannot be saved first: %1; nothing was imported.")
                             .arg(QString::fromUtf8(e.what())).toStdString());
    }
    Taken pageTitles, logoTitles;
    for (const QString& title : logoTable.storedTexts({LogoPage::PageTitle}))
        pageTitles.insert(title);
    QVector<int> slotTitleFields;
    for (int n = 1; n <= LogoPage::kSlots; ++n)
        slotTitleFields << LogoPage::pictureTitle(n);
    for (const QString& title : logoTable.storedTexts(slotTitleFields))
        logoTitles.insert(title);
    auto logoTaken = [&](const QString& title) {
        return logoTitles.contains(title) || !fileInAnyCase(programDir, title + QStringLiteral(".wad")).isEmpty();
    };

    QHash<QString, QString> logoNames;   // a title of the folder's library -> its title here
    for (const QVector<QVariant>& page : pages) {
        QStringList copiedHere;
        auto undo = [&] {
            if (logoTable.isEditing())
                logoTable.cancel();
            for (const QString& path : copiedHere)
                files::removeFile(nameOf(path));
        };
        try {
            logoTable.insert();
            for (int f = 0; f < page.size(); ++f) {
                if (logoTableDef().fields[f].kind == FieldKind::Text)
                    logoTable.setText(f, page[f].toString());
                else if (!page[f].toByteArray().isNull())
                    logoTable.setPicture(f, page[f].toByteArray());
            }
            // Titles as the table keeps them (cut, single-byte) decide.
            const QString stored = logoTable.text(LogoPage::PageTitle);
            const QString pageTitle = uniqueTitle(stored, LogoPage::kTitleWidth, QStringLiteral(" "),
                                                  [&](const QString& t) { return pageTitles.contains(t); });
            if (pageTitle != stored) {
                logoTable.setText(LogoPage::PageTitle, pageTitle);
                report.renamed << QStringLiteral("The page \"%1\" is called \"%2\" here.").arg(stored, pageTitle);
            }

            for (int n = 1; n <= LogoPage::kSlots; ++n) {
                const QString title = logoTable.text(LogoPage::pictureTitle(n));
                if (title.isEmpty())
                    continue;
                if (!titleNamesFile(title)) {
                    report.problems << QStringLiteral("The logo title \"%1\" names no file; its file was not copied.").arg(title);
                    continue;
                }
                if (!logoNames.contains(title)) {
                    const QString source = fileInAnyCase(folder, title + QStringLiteral(".wad"));
                    QString name = uniqueTitle(title, LogoPage::kTitleWidth, QStringLiteral("_"), logoTaken);
                    if (source.isEmpty()) {
                        report.problems << QStringLiteral("%1.wad is missing in %2.").arg(title, QDir::toNativeSeparators(folder));
                    } else {
                        for (;;) {
                            const QString target = programDir + QLatin1Char('/') + name + QStringLiteral(".wad");
                            try {
                                files::copyExclusive(nameOf(source), nameOf(target), files::kMaxWadBytes);
                                copiedHere << target;
                                break;
                            } catch (const files::FileError& e) {
                                if (!e.targetExists())
                                    throw;
                                logoTitles.insert(name);   // made meanwhile: the next number
                                name = uniqueTitle(title, LogoPage::kTitleWidth, QStringLiteral("_"), logoTaken);
                            }
                        }
                    }
                    if (name != title)
                        report.renamed << QStringLiteral("The logo \"%1\" is called \"%2\" here.").arg(title, name);
                    logoNames.insert(title, name);
                    logoTitles.insert(name);
                }
                logoTable.setText(LogoPage::pictureTitle(n), logoNames.value(title));
            }
            logoTable.post();
            pageTitles.insert(pageTitle);
            for (const QString& path : copiedHere)
                report.copiedFiles << QFileInfo(path).fileName();
            ++report.pages;
        } catch (const std::exception& e) {   // DatabaseError, FileError
            undo();
            throw MergeError(QStringLiteral("The import stopped at the page \"%1\": %2. %3 page(s) were added before it.")
                                 .arg(page[LogoPage::PageTitle].toString(), QString::fromUtf8(e.what()))
                                 .arg(report.pages)
                                 .toStdString());
        }
    }
    return report;
}

} // namespace store
