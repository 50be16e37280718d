// The drive box under a folder list: the mounted volumes, the root "/"
// first. It shows the volume of the folder the list stands at.
#pragma once

#include <QComboBox>

namespace settings {

class DriveBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveBox(QWidget* parent = nullptr);

    // Shows the volume that holds the folder, without reporting a choice.
    void showVolumeOf(const QString& folder);

signals:
    // The user chose a volume: its root path.
    void volumeChosen(const QString& rootPath);
};

} // namespace settings
