// A picture on its way to the import: the "Make logo" dialog turns it into
// a spray WAD in a working directory, which the import then takes as a file
// from elsewhere.
#pragma once

#include <QString>
#include <QStringList>

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

} // namespace makelogo
