#include "Unit3.h"

#include "DialogFont.h"
#include "LinkLabel.h"
#include "Links.h"
#include "Maker.h"
#include "ScreenCentre.h"
#include "app/CommandGuard.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace {

// One thank-you per paragraph, the signature last.
QString credits()
{
    const QStringList thanks = {
        QStringLiteral("Valve Software for creating Half-Life."),
        QStringLiteral("The Counter-Strike team for making the best modification there is."),
        QStringLiteral("The author of the wad to pcx converter, without it there would be no pictures."),
        QStringLiteral("The people of the spray logo forum at ") + info::webHost()
            + QStringLiteral(" for their help and their logos."),
        QStringLiteral("The makers of the music programs Loop Deck and Tone Weaver for keeping me awake."),
        QStringLiteral("Pieter for testing every version."),
        QStringLiteral("- ") + info::makerName(),
    };
    return thanks.join(QStringLiteral("\n\n"));
}

} // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Credits"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(info::dialogFont());
    setFixedSize(329, 312);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(8, 8, 313, 265);
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken);   // lowered outside, raised inside

    info::dialogLabel(panel, QStringLiteral("Label1"), QStringLiteral("Credits:"), 8, 8);

    hyperlink_ = new info::LinkLabel(info::webHost(), info::LinkLabel::PressLook::PlainThenUnderline, panel);
    hyperlink_->setObjectName(QStringLiteral("hyperlink"));
    hyperlink_->setFont(info::dialogFont(11, false, true));
    hyperlink_->place(8, 40, 83, 13);
    connect(hyperlink_, &info::LinkLabel::clicked, this, [this] { app::runCommand([this] { hyperlinkClick(); }); });

    QLabel* thanks = info::dialogLabel(panel, QStringLiteral("Label2"),
                                       QStringLiteral("for letting me be a part of their team."),
                                       std::max(96, hyperlink_->geometry().right() + 6), 40);
    // The panel and the window grow when the line's font needs it.
    const int extra = std::max(0, thanks->geometry().right() + 9 - 313);
    if (extra > 0) {
        setFixedSize(329 + extra, 312);
        panel->resize(313 + extra, 265);
    }

    auto* memo = new QPlainTextEdit(credits(), panel);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setGeometry(8, 64, 297 + extra, 199);
    memo->setReadOnly(true);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setFrameShape(QFrame::NoFrame);
    QPalette memoPal = memo->palette();
    memoPal.setColor(QPalette::Base, memoPal.color(QPalette::Button));
    memoPal.setColor(QPalette::Text, Qt::black);
    memo->setPalette(memoPal);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(127 + extra / 2, 280, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TForm3::hyperlinkClick() { info::openAddress(info::webSite()); }

void TForm3::Button1Click() { accept(); }

void TForm3::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        info::centreOnScreen(this);
    QDialog::showEvent(event);
}
