#include "Unit6.h"

#include "ExtraProgram.h"
#include "GameStart.h"
#include "app/CommandGuard.h"
#include "core/Settings.h"
#include "steam/GameFolders.h"
#include "info/DialogFont.h"
#include "info/ScreenCentre.h"

#include <algorithm>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

QFont dialogFont(int pixels, bool bold)
{
    return info::dialogFont(pixels, bold);
}

} // namespace

TForm6::TForm6(core::Library& library, core::Settings& settings, QWidget* parent)
    : QDialog(parent), library_(library), settings_(settings)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Logo Installed"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(dialogFont(11, false));

    auto* heading = new QLabel(QStringLiteral("Spraylogo Installed!"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setFont(dialogFont(16, true));
    heading->setAlignment(Qt::AlignCenter);
    auto* question = new QLabel(QStringLiteral("What do you want to do?"), this);
    question->setObjectName(QStringLiteral("Label2"));
    question->setAlignment(Qt::AlignCenter);

    // The window grows when the heading's font needs more room; everything
    // stays centred in it.
    const int width = std::max({164, info::textWidth(heading), info::textWidth(question)});
    const int shift = (width - 164) / 2;
    width_ = width;
    setFixedSize(width + 8, 199);
    heading->setGeometry(4, 8, width, 24);
    question->setGeometry(4, 38, width, 16);

    auto button = [this, shift](const QString& name, const QString& text, int y, void (TForm6::*handler)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(16 + shift, y, 140, 25);
        connect(b, &QPushButton::clicked, this, [this, handler] { app::runCommand([this, handler] { (this->*handler)(); }); });
        return b;
    };
    gameButton_ = button(QStringLiteral("Button1"), QStringLiteral("Start Half-Life"), 64, &TForm6::Button1Click);
    extraButton_ = button(QStringLiteral("Button4"), QStringLiteral("Run Executable"), 96, &TForm6::Button4Click);
    returnButton_ = button(QStringLiteral("Button2"), QStringLiteral("Return to Tagomat"), 128, &TForm6::Button2Click);
    quitButton_ = button(QStringLiteral("Button3"), QStringLiteral("Quit Tagomat"), 160, &TForm6::Button3Click);
    gameButton_->setEnabled(false);
    extraButton_->setEnabled(false);

    // Shown when the logo went into more than one game.
    installedLabel_ = new QLabel(this);
    installedLabel_->setObjectName(QStringLiteral("InstalledLabel"));
    installedLabel_->setAlignment(Qt::AlignCenter);
    installedLabel_->setWordWrap(true);
    installedLabel_->setGeometry(4, 58, width, 30);
    games_ = new QComboBox(this);
    games_->setObjectName(QStringLiteral("GameChoice"));
    games_->setGeometry(16 + shift, 92, 140, 23);
    connect(games_, &QComboBox::currentIndexChanged, this, [this] { showChosenGame(); });
    installedLabel_->hide();
    games_->hide();

    setTabOrder(gameButton_, returnButton_);
    setTabOrder(returnButton_, quitButton_);
    setTabOrder(quitButton_, extraButton_);
    // A saved extra program may be started from here at once.
    connect(&settings_, &core::Settings::extraProgramStored, this, [this] { extraButton_->setEnabled(true); });
}

void TForm6::placeControls(bool severalGames)
{
    // The list of games grows the label by its lines, the choice below it.
    const int labelHeight = std::max(16, installedLabel_->heightForWidth(width_));
    installedLabel_->setGeometry(4, 58, width_, labelHeight);
    games_->move(games_->x(), 58 + labelHeight + 4);
    const int shift = severalGames ? labelHeight + 4 + games_->height() + 4 : 0;
    int y = 64 + shift;
    for (QPushButton* b : {gameButton_, extraButton_, returnButton_, quitButton_}) {
        b->move(b->x(), y);
        y += 32;
    }
    installedLabel_->setVisible(severalGames);
    games_->setVisible(severalGames);
    setFixedSize(width_ + 8, 199 + shift);
}

void TForm6::showChosenGame()
{
    if (folders_.size() > 1 && games_->currentIndex() >= 0)
        gameButton_->setText(QStringLiteral("Start ") + games_->currentText());
}

void TForm6::showInstalled(const QStringList& folders, const QString& written)
{
    folders_ = folders;
    findChild<QLabel*>(QStringLiteral("Label1"))->setToolTip(written);
    QStringList names;
    for (const QString& folder : folders)
        names << steam::gameName(folder);
    if (folders.size() > 1) {
        installedLabel_->setText(QStringLiteral("Installed in ") + steam::joinNames(names));
        const QSignalBlocker quiet(games_);
        games_->clear();
        for (int i = 0; i < folders.size(); ++i) {
            games_->addItem(names[i], folders[i]);
            games_->setItemData(i, folders[i], Qt::ToolTipRole);
        }
        games_->setCurrentIndex(0);
        showChosenGame();
    } else {
        gameButton_->setText(QStringLiteral("Start Half-Life"));
    }
    placeControls(folders.size() > 1);
    if (!isVisible()) {
        FormShow();
        info::centreOnScreen(this);
        show();
    }
    raise();
    activateWindow();
}

void TForm6::FormShow()
{
    gameButton_->setEnabled(settings_.gameLocationSaved());
    extraButton_->setEnabled(settings_.extraProgramSaved());
    if (extraButton_->isEnabled())
        extraButton_->setText(game::extraProgramCaption(settings_.extraProgram()));
}

void TForm6::Button1Click()
{
    emit aboutToStartGame();
    const bool started = folders_.size() > 1 ? game::startGameIn(library_, games_->currentData().toString())
                                             : game::startGame(library_, settings_);
    if (started)
        hide();
}

void TForm6::Button2Click() { hide(); }

// The main window's own closing sequence runs, with its question about
// unsaved changes; this dialog closes with it.
void TForm6::Button3Click() { emit quitRequested(); }

void TForm6::Button4Click() { game::startExtraProgram(settings_.extraProgram()); }

void TForm6::reject() { Button2Click(); }
