#include "DriveBox.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <algorithm>

namespace settings {

DriveBox::DriveBox(QWidget* parent) : QComboBox(parent)
{
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    volumes.erase(std::remove_if(volumes.begin(), volumes.end(), [](const QStorageInfo& v) { return !v.isValid(); }),
                  volumes.end());
    const QString rootPath = QStorageInfo::root().rootPath();
    std::sort(volumes.begin(), volumes.end(), [&](const QStorageInfo& a, const QStorageInfo& b) {
        const bool aRoot = a.rootPath() == rootPath, bRoot = b.rootPath() == rootPath;
        if (aRoot != bRoot)
            return aRoot;
        return a.rootPath().compare(b.rootPath(), Qt::CaseInsensitive) < 0;
    });
    for (const QStorageInfo& v : volumes) {
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
