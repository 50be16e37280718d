// The import's file dialog on the program directory: it lists no table file
// and opens none, so the table engine keeps its locks on them.
#include "ImportFixture.h"
#include "support/PosixLocks.h"

#include "app/Unit1.h"
#include "import/OpenDialog.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <unistd.h>

namespace {

const QStringList kTableFiles = {QStringLiteral("LogoDB.db"), QStringLiteral("LogoDB.db-wal"),
                                 QStringLiteral("LogoDB.db-shm"), QStringLiteral("ConfigDB.db"),
                                 QStringLiteral("SwitchDB.db")};

// The names the dialog's file list shows.
QStringList listedNames(QFileDialog& dialog)
{
    auto* view = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    QStringList names;
    if (!view || !view->model())
        return names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row)
        names << view->model()->index(row, 0, root).data().toString();
    return names;
}

// True once the dialog's file model has listed `dir` with the table files
// in it and learnt the type and icon of every entry (by then any reading of
// the files is done).
bool allTyped(QFileDialog& dialog, const QString& dir)
{
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (!model)
        return false;
    const QModelIndex folder = model->index(dir);
    QStringList names;
    for (int row = 0; row < model->rowCount(folder); ++row) {
        const QModelIndex entry = model->index(row, 0, folder);
        if (model->type(entry).isEmpty() || model->fileIcon(entry).isNull())
            return false;
        names << model->fileName(entry);
    }
    for (const QString& table : kTableFiles)
        if (!names.contains(table))
            return false;
    return true;
}

class FileDialogTableFiles : public ImportFixture {
protected:
    int locks()
    {
        return posixLocksHeld(::getpid(), path(QStringLiteral("LogoDB.db")))
            + posixLocksHeld(::getpid(), path(QStringLiteral("LogoDB.db-shm")));
    }
};

} // namespace

TEST_F(FileDialogTableFiles, ListsNoneOpensNoneAndATypedOneIsRefused)
{
    copyTo(dir(), QStringLiteral("spray-a.wad"), QStringLiteral("mine.wad"));
    ASSERT_TRUE(start());
    form().bInsertClick();
    form().Table1().setText(store::LogoPage::PageTitle, QStringLiteral("kept"));
    answer({yes()});
    form().bSaveClick();
    ASSERT_TRUE(fileExists(QStringLiteral("LogoDB.db-wal")));
    const int held = locks();
    ASSERT_GT(held, 0);

    logoimport::OpenDialog::of(&form()).setFileName(path(QStringLiteral("mine.wad")));
    bool checked = false;
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        QTest::keyClick(types, Qt::Key_End);   // "All Files (*.*)"
        EXPECT_TRUE(QTest::qWaitFor([&] { return allTyped(*dialog, dir()); }, 10000));
        EXPECT_TRUE(listedNames(*dialog).contains(QStringLiteral("mine.wad")));
        for (const QString& table : kTableFiles)
            EXPECT_FALSE(listedNames(*dialog).contains(table)) << table.toStdString();
        EXPECT_EQ(locks(), held) << "the dialog opened a table file";

        // Nor does the completion offer one; typed in full, it is refused.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->clear();
        QTest::keyClicks(name, QStringLiteral("Logo"));
        ASSERT_NE(name->completer(), nullptr);
        QAbstractItemModel* offered = name->completer()->completionModel();
        for (int row = 0; row < offered->rowCount(); ++row)
            EXPECT_FALSE(offered->index(row, 0).data().toString().startsWith(QStringLiteral("LogoDB"), Qt::CaseInsensitive));
        name->completer()->popup()->hide();
        QTest::keyClicks(name, QStringLiteral("DB.db"));
        checked = true;
        answerPrompt({QStringLiteral("taken")});   // only if the import went on with it
        QTest::keyClick(name, Qt::Key_Return);
    });
    clickPlus(1);
    ASSERT_TRUE(checked);
    EXPECT_EQ(locks(), held) << "the import opened the chosen table file";
    ASSERT_FALSE(shown().isEmpty());
    EXPECT_TRUE(shown().last().contains(QStringLiteral("is one of the program's tables"))) << shown().last().toStdString();
    EXPECT_EQ(promptShowings, 0);
    EXPECT_EQ(slotTitle(1), QString());
    EXPECT_TRUE(fileExists(QStringLiteral("LogoDB.db")));
    EXPECT_EQ(storedPageTitles(), QStringList{QStringLiteral("kept")});
}
