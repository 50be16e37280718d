#include "OpenDialog.h"

#include "QuietFileDialog.h"
#include "makelogo/PictureImport.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QList>
#include <QWidget>

#include <optional>

namespace logoimport {

namespace {
QList<std::optional<QStringList>>& queue()
{
    static QList<std::optional<QStringList>> q;
    return q;
}
int& executionCount()
{
    static int n = 0;
    return n;
}
// The file dialog that also takes folders and archives: Open on a folder
// (or with nothing typed, on the folder shown) imports it instead of
// entering it.
class SourceDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    QStringList chosen;

protected:
    void accept() override
    {
        const QStringList files = selectedFiles();
        for (const QString& f : files)
            if (!QFileInfo(f).exists())
                return QFileDialog::accept();   // the dialog says what is wrong
        chosen = files;
        QDialog::accept();
    }
};

} // namespace

OpenDialog::OpenDialog(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("OpenDialog1")); }

OpenDialog& OpenDialog::of(QWidget* window)
{
    if (auto* dialog = window->findChild<OpenDialog*>(QStringLiteral("OpenDialog1"), Qt::FindDirectChildrenOnly))
        return *dialog;
    return *new OpenDialog(window);
}

QStringList OpenDialog::nameFilters()
{
    return {QStringLiteral("Wad Files (*.wad)"),
            QStringLiteral("Pictures (%1)").arg(makelogo::picturePatterns().join(QLatin1Char(' '))),
            QStringLiteral("Zip Files (*.zip)"), QStringLiteral("All Files (*.*)")};
}

bool OpenDialog::takeQueued()
{
    const std::optional<QStringList> choice = queue().takeFirst();
    if (!choice || choice->isEmpty())
        return false;
    fileNames_ = *choice;
    fileName_ = fileNames_.first();
    return true;
}

bool OpenDialog::execute(QWidget* parent)
{
    ++executionCount();
    if (!queue().isEmpty())
        return takeQueued();
    PlainIconProvider icons(parent ? parent->style() : QApplication::style());   // outlives the dialog
    QFileDialog dialog(parent);
    quieten(dialog, icons);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(nameFilters());
    dialog.selectNameFilter(nameFilters().first());
    if (!fileName_.isEmpty()) {
        const QFileInfo current(fileName_);
        dialog.setDirectory(current.absolutePath());
        dialog.selectFile(current.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileNames_ = dialog.selectedFiles();
    fileName_ = fileNames_.first();
    return true;
}

bool OpenDialog::executeSources(QWidget* parent)
{
    ++executionCount();
    if (!queue().isEmpty())
        return takeQueued();
    PlainIconProvider icons(parent ? parent->style() : QApplication::style());   // outlives the dialog
    SourceDialog dialog(parent);
    quieten(dialog, icons);
    dialog.setWindowTitle(QStringLiteral("Import folder or archive"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Import"));
    dialog.setNameFilters({QStringLiteral("Folders and archives (*.zip *.7z *.rar *.tar *.tar.* *.tgz *.tbz2 *.txz)"),
                           QStringLiteral("All Files (*.*)")});
    if (!fileName_.isEmpty())
        dialog.setDirectory(QFileInfo(fileName_).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.chosen.isEmpty())
        return false;
    fileNames_ = dialog.chosen;
    fileName_ = fileNames_.first();
    return true;
}

QString OpenDialog::chooseFolder(QWidget* parent, const QString& caption)
{
    ++executionCount();
    if (!queue().isEmpty()) {
        const std::optional<QStringList> choice = queue().takeFirst();
        return choice && !choice->isEmpty() ? choice->first() : QString();
    }
    PlainIconProvider icons(parent ? parent->style() : QApplication::style());
    QFileDialog dialog(parent, caption);
    quieten(dialog, icons);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

void OpenDialog::queueChoice(const QString& path) { queue().append(QStringList{path}); }
void OpenDialog::queueChoices(const QStringList& paths) { queue().append(paths); }
void OpenDialog::queueCancel() { queue().append(std::nullopt); }
int OpenDialog::queuedChoices() { return queue().size(); }
void OpenDialog::clearQueue() { queue().clear(); }
int OpenDialog::executions() { return executionCount(); }

} // namespace logoimport
