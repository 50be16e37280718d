// The "Logo Installed" dialog, shown without modality after a logo went into
// the game: start the game, start the extra program, return, or quit.
#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;

namespace core {
class Library;
class Settings;
}

class TForm6 : public QDialog {
    Q_OBJECT
public:
    TForm6(core::Library& library, core::Settings& settings, QWidget* parent = nullptr);

    // Opens the dialog, or only brings it to the front when it is open. With
    // more than one game folder it says where the logo went and lets the
    // user choose which game to start, the game location first. `written`,
    // which spray files went where, is the heading's tip.
    void showInstalled(const QStringList& folders = {}, const QString& written = QString());

    void Button1Click();   // "Start Half-Life"
    void Button2Click();   // "Return to Tagomat", also Escape
    void Button3Click();   // "Quit Tagomat"
    void Button4Click();   // the extra program

public slots:
    void reject() override;

signals:
    // "Quit Tagomat": the main window's own closing sequence runs.
    void quitRequested();
    // A game is about to start: a sprays check runs before it.
    void aboutToStartGame();

private:
    void FormShow();
    void placeControls(bool severalGames);
    void showChosenGame();

    QPushButton* gameButton_ = nullptr;
    QPushButton* returnButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QPushButton* extraButton_ = nullptr;
    QLabel* installedLabel_ = nullptr;
    QComboBox* games_ = nullptr;
    QStringList folders_;
    int width_ = 164;
    core::Library& library_;
    core::Settings& settings_;
};
