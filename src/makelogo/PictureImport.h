// A picture on its way to the import: the "Make logo" dialog turns it into
// a spray WAD in a working directory, which the import then takes as a file
// from elsewhere.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

class QTemporaryDir;
class QWidget;

namespace makelogo {

// The name patterns of the pictures the program makes logos from.
QStringList picturePatterns();
bool isPicture(const QString& path);

// Shows the "Make logo" dialog for the picture and writes the logo to a WAD
// in `workDir`. Returns its path; empty when the user cancels or the picture
// cannot be read or written (the user has been told then).
QString makeLogoWad(QWidget* parent, const QString& picturePath, const QTemporaryDir& workDir);

// Reads a picture; throws logo::LogoError with the reason.
using PictureReader = std::function<QImage(const QString& path)>;

// Reads the picture off the window's thread, so that a slow file never
// freezes the window; after a moment a "PictureProgress" window shows with
// Cancel. Returns a null image when the user cancelled (a read still
// running then ends unseen) and throws logo::LogoError when the picture
// cannot be read.
QImage readPictureAside(QWidget* parent, const QString& picturePath, const PictureReader& reader);

} // namespace makelogo
