// The "Logo Installed" dialog, shown without modality after a logo went into
// the game: start the game, start the extra program, return, or quit.
#pragma once

#include <QDialog>

class QPushButton;

namespace core {
class Library;
class Settings;
}

class TForm6 : public QDialog {
    Q_OBJECT
public:
    TForm6(core::Library& library, core::Settings& settings, QWidget* parent = nullptr);

    // Opens the dialog, or only brings it to the front when it is open.
    void showInstalled();

    void Button1Click();   // "Start Half-Life"
    void Button2Click();   // "Return to Tagomat", also Escape
    void Button3Click();   // "Quit Tagomat"
    void Button4Click();   // the extra program

public slots:
    void reject() override;

signals:
    // "Quit Tagomat": the main window's own closing sequence runs.
    void quitRequested();

private:
    void FormShow();

    QPushButton* gameButton_ = nullptr;
    QPushButton* returnButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QPushButton* extraButton_ = nullptr;
    core::Library& library_;
    core::Settings& settings_;
};
