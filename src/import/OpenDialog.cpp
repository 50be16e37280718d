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
QList<std::optional<QString>>& queue()
{
    static QList<std::optional<QString>> q;
    return q;
}
int& executionCount()
{
    static int n = 0;
    return n;
}
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

bool OpenDialog::execute(QWidget* parent)
{
    ++executionCount();
    if (!queue().isEmpty()) {
        const std::optional<QString> choice = queue().takeFirst();
        if (!choice)
            return false;
        fileName_ = *choice;
        return true;
    }
    PlainIconProvider icons(parent ? parent->style() : QApplication::style());   // outlives the dialog
    QFileDialog dialog(parent);
    quieten(dialog, icons);
    dialog.setFileMode(QFileDialog::ExistingFile);
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
    fileName_ = dialog.selectedFiles().first();
    return true;
}

QString OpenDialog::chooseFolder(QWidget* parent, const QString& caption)
{
    ++executionCount();
    if (!queue().isEmpty())
        return queue().takeFirst().value_or(QString());
    PlainIconProvider icons(parent ? parent->style() : QApplication::style());
    QFileDialog dialog(parent, caption);
    quieten(dialog, icons);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

void OpenDialog::queueChoice(const QString& path) { queue().append(path); }
void OpenDialog::queueCancel() { queue().append(std::nullopt); }
int OpenDialog::queuedChoices() { return queue().size(); }
void OpenDialog::clearQueue() { queue().clear(); }
int OpenDialog::executions() { return executionCount(); }

} // namespace logoimport
