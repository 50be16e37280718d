// The "Logo Installed" dialog, shown without modality after a logo went into
// the game: start the game, start the extra program, return, or quit.
#pragma once

#include <QDialog>

class QPushButton;

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // Opens the dialog, or only brings it to the front when it is open.
    void showInstalled();
    // The extra program has been saved: it may be started from here.
    void enableExtraProgramButton();

    void Button1Click();   // "Start Half-Life"
    void Button2Click();   // "Return to Tagomat", also Escape
    void Button3Click();   // "Quit Tagomat"
    void Button4Click();   // the extra program

public slots:
    void reject() override;

private:
    void FormShow();

    QPushButton* gameButton_ = nullptr;
    QPushButton* returnButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QPushButton* extraButton_ = nullptr;
};
