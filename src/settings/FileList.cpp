#include "FileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>

namespace settings {

namespace {
// On Windows a program is known by its extension; elsewhere the execute
// permission marks one too.
bool isExecutable(const QFileInfo& file)
{
    const QString suffix = file.suffix();
    if (suffix.compare(QLatin1String("exe"), Qt::CaseInsensitive) == 0
        || suffix.compare(QLatin1String("com"), Qt::CaseInsensitive) == 0)
        return true;
#ifdef Q_OS_WIN
    return false;
#else
    return file.isExecutable();
#endif
}
} // namespace

FileList::FileList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, &FileList::chosen);
}

void FileList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    emit chosen();
}

void FileList::setFolder(const QString& folder)
{
    folder_ = folder;
    fill();
}

void FileList::setFilter(Filter filter)
{
    filter_ = filter;
    fill();
}

QString FileList::selectedPath() const
{
    const QList<QListWidgetItem*> items = selectedItems();
    if (items.isEmpty())
        return QString();
    QString folder = QDir::toNativeSeparators(folder_);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder + items.front()->text();
}

void FileList::fill()
{
    const QSignalBlocker blocker(this);
    clear();
    const QFileInfoList files = QDir(folder_).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files)
        if (filter_ == Filter::AllFiles || isExecutable(file))
            addItem(file.fileName());
}

} // namespace settings
