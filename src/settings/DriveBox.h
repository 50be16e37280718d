// The drive box under a folder list: the home folder, the root "/" and the
// volumes a user mounts (under /media, /mnt, /run/media or the home folder),
// not the system's own mounts nor a sandbox's internals. It shows the
// entry that holds the folder the list stands at.
#pragma once

#include <QComboBox>

namespace settings {

class DriveBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveBox(QWidget* parent = nullptr);

    // Shows the volume that holds the folder, without reporting a choice.
    void showVolumeOf(const QString& folder);

    // Whether a mount point is one the user would look for a game on.
    static bool isUserVolume(const QString& rootPath, const QString& home);

signals:
    // The user chose a volume: its root path.
    void volumeChosen(const QString& rootPath);
};

} // namespace settings
