// The "Logo Installed" dialog shown after a logo went into the game.
#pragma once

#include <QDialog>

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    void showInstalled();
    void enableExtraProgramButton();
};
