#include "QuietFileDialog.h"

#include "store/TableFiles.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIcon>
#include <QSortFilterProxyModel>
#include <QStyle>

namespace logoimport {

namespace {

// Leaves out the rows of table files.
class TableFileFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const QModelIndex index = sourceModel()->index(row, 0, parent);
        if (const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel()))
            return files->isDir(index) || !store::isTableFileName(files->fileName(index));
        return !store::isTableFileName(index.data().toString());
    }
};

} // namespace

PlainIconProvider::PlainIconProvider(QStyle* style)
    : file_(style->standardIcon(QStyle::SP_FileIcon)), folder_(style->standardIcon(QStyle::SP_DirIcon)),
      drive_(style->standardIcon(QStyle::SP_DriveHDIcon))
{
    setOptions(DontUseCustomDirectoryIcons);
}

QIcon PlainIconProvider::icon(IconType type) const
{
    switch (type) {
    case Folder:
        return folder_;
    case Drive:
    case Computer:
    case Network:
        return drive_;
    default:
        return file_;
    }
}

QIcon PlainIconProvider::icon(const QFileInfo& info) const
{
    if (info.isRoot())
        return drive_;
    return info.isDir() ? folder_ : file_;
}

QString PlainIconProvider::type(const QFileInfo& info) const
{
    if (info.isDir())
        return QStringLiteral("Folder");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("File") : suffix.toUpper() + QStringLiteral(" File");
}

void quieten(QFileDialog& dialog, PlainIconProvider& icons)
{
    // Only Qt's own dialog can be kept from reading; a platform dialog runs
    // outside the program's control.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons, true);
    dialog.setIconProvider(&icons);
    dialog.setProxyModel(new TableFileFilter(&dialog));
}

QString quietSaveFileName(QWidget* parent, const QString& caption, const QString& path, const QString& filter)
{
    PlainIconProvider icons(parent ? parent->style() : QApplication::style());   // outlives the dialog
    QFileDialog dialog(parent, caption, path, filter);
    quieten(dialog, icons);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The caller asks before it replaces a file, through the program's own boxes.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace logoimport
