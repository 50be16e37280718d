#include "ExtraProgram.h"

#include "Launch.h"
#include "app/MessageBox.h"
#include "store/TableFiles.h"

#include <QFileInfo>

#include <algorithm>

namespace game {

namespace {

QString fileNamePart(const QString& path)
{
#ifdef Q_OS_WIN
    const int at = std::max({path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')),
                             path.lastIndexOf(QLatin1Char(':'))});
#else
    const int at = path.lastIndexOf(QLatin1Char('/'));
#endif
    return path.mid(at + 1);
}

} // namespace

QString extraProgramCaption(const QString& path)
{
    QString name = fileNamePart(path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return QStringLiteral("Run Executable");
    return QStringLiteral("Start ") + name;
}

bool startExtraProgram(const QString& path)
{
    if (path.isEmpty()) {
        app::MessageBox::plain(QStringLiteral("No extra program has been chosen yet. Choose one in \"Extra options\" under \"Config\"."));
        return false;
    }
    const QFileInfo file(path);
    if (!file.exists()) {
        app::MessageBox::error(QStringLiteral("The extra program \"%1\" was not found. Choose it again in \"Extra options\" under \"Config\".").arg(path));
        return false;
    }
    if (store::isTableFile(path)) {
        // Handed to the desktop, it could be opened inside this program.
        app::MessageBox::error(QStringLiteral("The extra program \"%1\" is one of the program's tables. Choose another in \"Extra options\" under \"Config\".").arg(path));
        return false;
    }
    if (file.isFile() && file.isExecutable())
        return startDetached({file.absoluteFilePath(), {}, file.absolutePath()});
    return openWithDesktop(file.absoluteFilePath());
}

} // namespace game
