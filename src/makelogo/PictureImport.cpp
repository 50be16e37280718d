#include "makelogo/PictureImport.h"

#include "app/MessageBox.h"
#include "core/SprayIntake.h"
#include "logo/LogoMaker.h"
#include "makelogo/MakeLogoDialog.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace makelogo {

QStringList picturePatterns() { return core::picturePatterns(); }

bool isPicture(const QString& path)
{
    return QFileInfo(path).isFile() && core::isPictureName(path);
}

QString makeLogoWad(QWidget* parent, const QString& picturePath, const QTemporaryDir& workDir)
{
    QImage picture;
    try {
        picture = logo::readPicture(picturePath);
    } catch (const logo::LogoError& e) {
        app::MessageBox::error(QStringLiteral("%1: %2").arg(picturePath, QString::fromStdString(e.what())));
        return {};
    }
    MakeLogoDialog dialog(picture, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.spray().width == 0)
        return {};
    const QString wad = workDir.filePath(QFileInfo(picturePath).completeBaseName() + QStringLiteral(".wad"));
    try {
        // A working file: the import that follows copies it durably.
        logo::writeLogoWad(wad, dialog.spray(), files::Durability::Flushed);
    } catch (const logo::LogoError& e) {
        app::MessageBox::error(QStringLiteral("The logo could not be written: %1").arg(QString::fromStdString(e.what())));
        return {};
    }
    return wad;
}

} // namespace makelogo
