#include "DirectoryList.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

namespace settings {

namespace {
constexpr int kPathRole = Qt::UserRole;

bool isReadableFolder(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.isDir() && QDir(path).isReadable();
}

QString cleaned(const QString& path) { return QDir::cleanPath(QDir::fromNativeSeparators(path)); }

// The folder and its ancestors, the root first.
QStringList chainOf(const QString& folder)
{
    QStringList chain;
    QDir dir(folder);
    chain.prepend(dir.absolutePath());
    while (!dir.isRoot() && dir.cdUp())
        chain.prepend(dir.absolutePath());
    return chain;
}

QString nameOf(const QString& folder)
{
    const QString name = QFileInfo(folder).fileName();
    return name.isEmpty() ? QDir::toNativeSeparators(folder) : name;
}
} // namespace

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, &DirectoryList::openItem);
    shown_ = directory_ = QDir::homePath();   // not the folder the program was started from
    fill();
}

void DirectoryList::moveTo(const QString& path)
{
    if (path.trimmed().isEmpty())
        return;
    const QString folder = cleaned(path);
    if (!QDir::isAbsolutePath(folder)) {
        // A path of another system (a drive letter on Linux, say) names no
        // folder here; the list stays where it is.
        directory_ = path;
        emit opened(directory_, false);
        return;
    }
    QString existing = folder;
    while (!isReadableFolder(existing)) {
        const QString parent = QFileInfo(existing).path();
        if (parent == existing) {
            existing.clear();   // nothing of the path can be listed: stay where we are
            break;
        }
        existing = parent;
    }
    directory_ = path;
    if (!existing.isEmpty()) {
        shown_ = existing;
        fill();
    }
    emit opened(directory_, false);
}

bool DirectoryList::openFolder(const QString& path)
{
    if (!isReadableFolder(path))
        return false;
    shown_ = QDir(cleaned(path)).absolutePath();
    directory_ = QDir::toNativeSeparators(shown_);
    fill();
    emit opened(directory_, false);
    return true;
}

void DirectoryList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (QListWidgetItem* item = currentItem()) {
            openItem(item);
            event->accept();
            return;
        }
    }
    QListWidget::keyPressEvent(event);
}

void DirectoryList::openItem(QListWidgetItem* item)
{
    if (!item)
        return;
    const QString path = item->data(kPathRole).toString();
    if (!isReadableFolder(path)) {
        fill();   // gone or closed to us since it was listed
        return;
    }
    shown_ = path;
    directory_ = QDir::toNativeSeparators(path);
    fill();
    emit opened(directory_, true);
}

void DirectoryList::fill()
{
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QStringList chain = chainOf(shown_);
    int depth = 0;
    QListWidgetItem* current = nullptr;
    for (const QString& folder : chain) {
        auto* item = new QListWidgetItem(openIcon, QString(depth * 2, QLatin1Char(' ')) + nameOf(folder), this);
        item->setData(kPathRole, folder);
        current = item;
        ++depth;
    }
    const QDir dir(shown_);
    const QStringList subfolders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : subfolders) {
        auto* item = new QListWidgetItem(closedIcon, QString(depth * 2, QLatin1Char(' ')) + name, this);
        item->setData(kPathRole, dir.filePath(name));
    }
    setCurrentItem(current);
    scrollToItem(current);
}

QString folderOf(const QString& filePath)
{
    const QString path = QDir::fromNativeSeparators(filePath);
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    const QString folder = path.left(slash);
    // "/tool" lies in the root "/", "C:/tool" in "C:/".
    if (folder.isEmpty() || folder.endsWith(QLatin1Char(':')))
        return QDir::toNativeSeparators(path.left(slash + 1));
    return QDir::toNativeSeparators(folder);
}

} // namespace settings
