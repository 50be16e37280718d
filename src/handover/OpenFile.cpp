#include "OpenFile.h"

#include "app/CommandGuard.h"
#include "app/Unit1.h"
#include "import/LogoImport.h"

#include <QFileInfo>
#include <QUrl>

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

void openAsDrop(TForm1& form, const QString& file)
{
    bringToFront(form);
    const QList<QUrl> urls{QUrl::fromLocalFile(file)};
    app::runCommand([&form, &urls] { logoimport::dropFiles(form, urls); });
}

void bringToFront(TForm1& form)
{
    if (form.isMinimized())
        form.showNormal();
    form.raise();
    form.activateWindow();
}

} // namespace handover
