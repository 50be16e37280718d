#include "Unit7.h"

#include "DialogFont.h"
#include "LinkLabel.h"
#include "Links.h"
#include "Maker.h"
#include "ScreenCentre.h"
#include "app/CommandGuard.h"

#include <QFrame>
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

    info::dialogLabel(panel, QStringLiteral("Label1"), QStringLiteral("Product Name:"), 8, 16);
    info::dialogLabel(panel, QStringLiteral("ProductName"), QStringLiteral("Tagomat"), 88, 16);
    info::dialogLabel(panel, QStringLiteral("Label2"), QStringLiteral("Version:"), 8, 40);
    info::dialogLabel(panel, QStringLiteral("Version"), QStringLiteral(TAGOMAT_ABOUT_VERSION), 88, 40);
    info::dialogLabel(panel, QStringLiteral("Label3"), QStringLiteral("Copyright:"), 8, 64);
    info::dialogLabel(panel, QStringLiteral("Copyright"), info::copyrightLine(), 88, 64);
    info::dialogLabel(panel, QStringLiteral("Label4"), QStringLiteral("Comments:"), 8, 104);

    auto* memo = new QPlainTextEdit(comments(), panel);
    memo->setObjectName(QStringLiteral("Comments"));
    memo->setGeometry(8, 128, 265, 136);
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
    ok->setGeometry(111, 308, 75, 25);
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
