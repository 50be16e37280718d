#include "Unit5.h"

#include "DialogParts.h"
#include "HelpLabel.h"
#include "HelpText.h"
#include "app/CommandGuard.h"
#include "app/MessageBox.h"
#include "core/Settings.h"
#include "info/DialogFont.h"
#include "info/ScreenCentre.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kNarrowWidth = 313;
constexpr int kNarrowHeight = 250;
constexpr int kWideWidth = 593;
constexpr int kWideHeight = 308;
constexpr int kDefaultPosition = core::Settings::kDefaultWaitPosition;

QString helpText()
{
    const QStringList lines = {
        QStringLiteral("You can use this trackbar to adjust the time Tagomat "),
        QStringLiteral("waits till the picture is being loaded."),
        QString(),
        QStringLiteral("Why should it wait? I want the picture right away!"),
        QString(),
        QStringLiteral("I'll try to explain."),
        QString(),
        QStringLiteral("The extraction of the picture out of the wad file is not "),
        QStringLiteral("done by Tagomat itself, its done with the help of an "),
        QStringLiteral("external exe file."),
        QString(),
        QStringLiteral("Some computers don't finish the extraction in time and "),
        QStringLiteral("Tagomat will try to load the picture. They get this error: "),
        QStringLiteral("\"Could't load temp.jpg\"."),
        QString(),
        QStringLiteral("With this trackbar you can adjust the time Tagomat "),
        QStringLiteral("should wait till it tries to import the picture, so if you "),
        QStringLiteral("experience trouble (can't find temp.jpg) try a higher "),
        QStringLiteral("waiting time."),
    };
    return settings::helpParagraphs(lines);
}


QPushButton* button(QWidget* parent, const QString& name, const QString& text, const QRect& place)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setGeometry(place);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TForm5::TForm5(core::Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    settings::frameSettingsWindow(this, QStringLiteral("Form5"), QStringLiteral("Advanced"), QSize(kNarrowWidth, kNarrowHeight));

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("GroupBox1"));
    frame->setGeometry(8, 4, 297, 205);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);

    info::dialogLabel(frame, QStringLiteral("Label1"), QStringLiteral("Picture-load wait time. (in milliseconds)"), 8, 10);
    auto* help = new settings::HelpLabel(frame);
    help->setObjectName(QStringLiteral("HelpLabel"));
    help->move(258, 10);
    help->adjustSize();
    connect(help, &settings::HelpLabel::clicked, this, [this] { HelpClick(); });

    info::dialogLabel(frame, QStringLiteral("Label2"), QStringLiteral("Default: 300"), 8, 30);
    value_ = info::dialogLabel(frame, QStringLiteral("ValueLabel"), QString(), 8, 50);
    value_->setFixedSize(60, 14);

    slider_ = new QSlider(Qt::Horizontal, frame);
    slider_->setObjectName(QStringLiteral("TrackBar1"));
    slider_->setGeometry(8, 70, 281, 33);
    slider_->setRange(0, 30);
    slider_->setSingleStep(1);
    slider_->setPageStep(2);
    slider_->setTickPosition(QSlider::TicksBelow);
    slider_->setTickInterval(1);
    slider_->setValue(settings_.waitPosition());
    connect(slider_, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });
    connect(&settings_, &core::Settings::changed, this, [this] { slider_->setValue(settings_.waitPosition()); });

    info::dialogLabel(frame, QStringLiteral("Label3"), QStringLiteral("0"), 12, 106);
    QLabel* middle = info::dialogLabel(frame, QStringLiteral("Label4"), QStringLiteral("300"), 0, 106);
    middle->move(8 + 281 / 2 - middle->width() / 2, 106);
    QLabel* right = info::dialogLabel(frame, QStringLiteral("Label5"), QStringLiteral("600"), 0, 106);
    right->move(8 + 281 - 4 - right->width(), 106);

    auto* bevel = new QFrame(frame);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setGeometry(8, 132, 281, 61);
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    QPushButton* save = button(frame, QStringLiteral("bSave"), QStringLiteral("&Save"), QRect(40, 150, 90, 25));
    QPushButton* cancel = button(frame, QStringLiteral("bCancel"), QStringLiteral("&Cancel"), QRect(166, 150, 90, 25));
    QPushButton* close = button(this, QStringLiteral("bClose"), QStringLiteral("Close"), QRect(119, 216, 75, 25));
    connect(save, &QPushButton::clicked, this, [this] { app::runCommand([this] { bSaveClick(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { app::runCommand([this] { bCancelClick(); }); });
    connect(close, &QPushButton::clicked, this, [this] { app::runCommand([this] { bCloseClick(); }); });

    auto* memo = new QPlainTextEdit(helpText(), this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setGeometry(kNarrowWidth, 8, kWideWidth - kNarrowWidth - 8, kWideHeight - 16);
    memo->setReadOnly(true);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    TrackBar1Change();
    WaitTimeChanged = false;
}

int TForm5::position() const { return slider_->value(); }

void TForm5::setPosition(int position) { slider_->setValue(std::clamp(position, 0, 30)); }

void TForm5::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TForm5::FormShow()
{
    WaitTimeChanged = false;
    setFixedSize(kNarrowWidth, kNarrowHeight);
    value_->setText(QString::number(waitMilliseconds()));
    info::centreOnScreen(this);
}

void TForm5::TrackBar1Change()
{
    WaitTimeChanged = true;
    settings_.setWaitPosition(position());
    value_->setText(QString::number(waitMilliseconds()));
}

void TForm5::HelpClick()
{
    if (width() == kNarrowWidth)
        setFixedSize(kWideWidth, kWideHeight);
    else
        setFixedSize(kNarrowWidth, kNarrowHeight);
}

void TForm5::bSaveClick()
{
    settings_.saveWaitPosition(position());
    app::MessageBox::plain(QStringLiteral("Settings saved."));   // only once the post went through
    accept();
}

// A stored text that is no number puts the slider at its default.
void TForm5::bCancelClick()
{
    int stored = kDefaultPosition;
    try {
        stored = core::Settings::positionFromWaitTime(settings_.savedWaitTime());
    } catch (const std::runtime_error&) {
    }
    setPosition(stored);
    reject();
}

void TForm5::bCloseClick()
{
    if (WaitTimeChanged && app::MessageBox::confirm(QStringLiteral("Do you want to save changes?")))
        bSaveClick();
    if (isVisible())
        reject();
}
