#include "OpenFile.h"

#include <QFileInfo>
#include <QWidget>

namespace handover {

QString fileArgument(const QStringList& arguments)
{
    const QStringList files = fileArguments(arguments);
    return files.isEmpty() ? QString() : files.first();
}

QStringList fileArguments(const QStringList& arguments)
{
    QStringList files;
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (!optionsEnded && a == QLatin1String("--"))
            optionsEnded = true;
        else if (optionsEnded || !a.startsWith(QLatin1Char('-')))
            files << QFileInfo(a).absoluteFilePath();
    }
    return files;
}

void bringToFront(QWidget& window)
{
    if (window.isMinimized())
        window.showNormal();
    window.raise();
    window.activateWindow();
}

} // namespace handover
