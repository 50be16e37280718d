#include "Unit7.h"

#include "DialogFont.h"
#include "LinkLabel.h"
#include "Links.h"
#include "Maker.h"
#include "ScreenCentre.h"
#include "app/CommandGuard.h"

#include <QFrame>

#include <algorithm>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

// TAGOMAT_ABOUT_VERSION comes from the build, beside the other version entries.

namespace {

QString comments()
{
    return QStringLiteral(
               "Tagomat is free of charge. It comes without any warranty: you use it at your own risk.\n"
               "\n"
               "If you want to use Tagomat commercially, ask the author for permission first. "
               "You find the e-mail address at the bottom of this box.\n"
               "\n"
               "Have fun with it!\n"
               "\n"
               "Questions and Tips can be mailed to:");
}


} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(info::dialogFont());
    setFixedSize(298, 341);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(8, 8, 281, 289);
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken);   // lowered outside, raised inside

    QLabel* names[] = {
        info::dialogLabel(panel, QStringLiteral("Label1"), QStringLiteral("Product Name:"), 8, 16),
        info::dialogLabel(panel, QStringLiteral("Label2"), QStringLiteral("Version:"), 8, 40),
        info::dialogLabel(panel, QStringLiteral("Label3"), QStringLiteral("Copyright:"), 8, 64),
    };
    // The values start at 88, or further right when a name's font needs it.
    int valueX = 88;
    for (QLabel* name : names)
        valueX = std::max(valueX, name->geometry().right() + 7);
    info::dialogLabel(panel, QStringLiteral("ProductName"), QStringLiteral("Tagomat"), valueX, 16);
    info::dialogLabel(panel, QStringLiteral("Version"), QStringLiteral(TAGOMAT_ABOUT_VERSION), valueX, 40);
    QLabel* copyright = info::dialogLabel(panel, QStringLiteral("Copyright"), info::copyrightLine(), valueX, 64);
    info::dialogLabel(panel, QStringLiteral("Label4"), QStringLiteral("Comments:"), 8, 104);
    // The panel and the window grow when the copyright line needs it.
    const int extra = std::max(0, copyright->geometry().right() + 9 - 281);
    if (extra > 0) {
        setFixedSize(298 + extra, 341);
        panel->resize(281 + extra, 289);
    }

    auto* memo = new QPlainTextEdit(comments(), panel);
    memo->setObjectName(QStringLiteral("Comments"));
    memo->setGeometry(8, 128, 265 + extra, 136);
    memo->setReadOnly(true);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setFrameShape(QFrame::NoFrame);
    QPalette pal = memo->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Button));
    memo->setPalette(pal);

    email_ = new info::LinkLabel(info::mailAddress(), info::LinkLabel::PressLook::PlainThenUnderline, panel);
    email_->setObjectName(QStringLiteral("email"));
    email_->setFont(info::dialogFont(11, false, true));
    email_->place(8, 264, 80, 13);
    connect(email_, &info::LinkLabel::clicked, this, [this] { app::runCommand([this] { emailClick(); }); });

    // Both the default and the cancel button: Enter and Escape press it.
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(111 + extra / 2, 308, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    ok->setFocus();
}

void TAboutBox::OKButtonClick() { accept(); }

void TAboutBox::emailClick() { info::openAddress(info::mailLink()); }

void TAboutBox::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        info::centreOnScreen(this);
    QDialog::showEvent(event);
}
