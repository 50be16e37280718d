// A WAD of several pictures (the game's own decals.wad has 222) is no spray
// as it is: the user chooses one, which becomes a one-picture spray of the
// same pixels.
#pragma once

#include <QDialog>
#include <QString>

class QListWidget;
class QTemporaryDir;

namespace logoimport {

// The number of pictures in a WAD file; 0 when it is no readable WAD.
int picturesInWad(const QString& path);

class PictureChooser : public QDialog {
    Q_OBJECT
public:
    PictureChooser(const QString& wadPath, QWidget* parent = nullptr);
    // The chosen picture's place among the WAD's pictures; -1 for none.
    int chosen() const;

private:
    QListWidget* list_;
};

// Shows the chooser for the WAD and writes the chosen picture as a spray
// into `workDir`. Returns its path; empty when the user cancels or the
// picture cannot become a spray (the user has been told why).
QString chooseSprayOf(QWidget* parent, const QString& wadPath, const QTemporaryDir& workDir);

} // namespace logoimport
