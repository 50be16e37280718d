#include "Unit6.h"

#include "ExtraProgram.h"
#include "GameStart.h"
#include "app/CommandGuard.h"
#include "core/Settings.h"
#include "info/DialogFont.h"
#include "info/ScreenCentre.h"

#include <algorithm>
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

    setTabOrder(gameButton_, returnButton_);
    setTabOrder(returnButton_, quitButton_);
    setTabOrder(quitButton_, extraButton_);
    // A saved extra program may be started from here at once.
    connect(&settings_, &core::Settings::extraProgramStored, this, [this] { extraButton_->setEnabled(true); });
}

void TForm6::showInstalled()
{
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
    if (game::startGame(library_, settings_))
        hide();
}

void TForm6::Button2Click() { hide(); }

// The main window's own closing sequence runs, with its question about
// unsaved changes; this dialog closes with it.
void TForm6::Button3Click() { emit quitRequested(); }

void TForm6::Button4Click() { game::startExtraProgram(settings_.extraProgram()); }

void TForm6::reject() { Button2Click(); }
