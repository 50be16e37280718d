#include "OpenFile.h"

#include <QFileInfo>
#include <QWidget>

namespace handover {

QString fileArgument(const QStringList& arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--")) {
            return i + 1 < arguments.size() ? QFileInfo(arguments[i + 1]).absoluteFilePath() : QString();
        }
        if (!a.startsWith(QLatin1Char('-')))
            return QFileInfo(a).absoluteFilePath();
    }
    return QString();
}

void bringToFront(QWidget& window)
{
    if (window.isMinimized())
        window.showNormal();
    window.raise();
    window.activateWindow();
}

} // namespace handover
