#include "DriveBox.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <algorithm>

namespace settings {

bool DriveBox::isUserVolume(const QString& rootPath, const QString& home)
{
    const QString root = QDir::cleanPath(rootPath);
    if (root == QLatin1String("/"))
        return true;
    const QString cleanHome = QDir::cleanPath(home);
    for (const QString& place : {QStringLiteral("/media/"), QStringLiteral("/mnt/"), QStringLiteral("/run/media/"),
                                 cleanHome + QLatin1Char('/')})
        if (root.startsWith(place) && root.size() > place.size())
            return !root.contains(QLatin1String("/."));   // not a hidden folder's mount (a sandbox's, a cache's)
    return false;
}

DriveBox::DriveBox(QWidget* parent) : QComboBox(parent)
{
    const QString home = QDir::homePath();
    addItem(QDir::toNativeSeparators(home), home);
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    volumes.erase(std::remove_if(volumes.begin(), volumes.end(),
                                 [&](const QStorageInfo& v) { return !v.isValid() || !isUserVolume(v.rootPath(), home); }),
                  volumes.end());
    std::sort(volumes.begin(), volumes.end(), [&](const QStorageInfo& a, const QStorageInfo& b) {
        return a.rootPath().compare(b.rootPath(), Qt::CaseInsensitive) < 0;   // "/" sorts first
    });
    for (const QStorageInfo& v : volumes) {
        if (QDir::cleanPath(v.rootPath()) == QDir::cleanPath(home))
            continue;
        QString text = QDir::toNativeSeparators(v.rootPath());
        const QString name = v.displayName();
        if (!name.isEmpty() && name != v.rootPath())
            text += QStringLiteral(" [") + name + QLatin1Char(']');
        addItem(text, v.rootPath());
    }
    connect(this, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { emit volumeChosen(itemData(index).toString()); });
}

void DriveBox::showVolumeOf(const QString& folder)
{
    const QString path = QDir::fromNativeSeparators(folder);
    int best = -1;
    int bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        QString root = itemData(i).toString();
        if (!root.endsWith(QLatin1Char('/')))
            root += QLatin1Char('/');
        const bool inside = (path + QLatin1Char('/')).startsWith(root, Qt::CaseInsensitive);
        if (inside && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    if (best >= 0) {
        const QSignalBlocker blocker(this);
        setCurrentIndex(best);
    }
}

} // namespace settings
