#include "makelogo/MakeLogoDialog.h"

#include "logo/SprayRules.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace makelogo {
namespace {

constexpr int kLargePreviewSide = 384;
enum SeeThroughItem { kNone, kFromTransparency, kPicked };

// The spray over a checkerboard, so that its see-through parts show.
QPixmap onCheckerboard(const QImage& spray, int magnification)
{
    const QSize size = spray.size() * magnification;
    QImage out(size, QImage::Format_RGB32);
    QPainter painter(&out);
    const int cell = 8;
    for (int y = 0; y < size.height(); y += cell)
        for (int x = 0; x < size.width(); x += cell)
            painter.fillRect(x, y, cell, cell, ((x / cell + y / cell) % 2) ? QColor(204, 204, 204) : Qt::white);
    painter.drawImage(QRect(QPoint(0, 0), size), spray); // nearest neighbour: the pixels as they are
    painter.end();
    return QPixmap::fromImage(out);
}

} // namespace

namespace {

// Twice the largest side a logo may have: a copy with a shorter side of
// this many pixels still gives every logo the detail of the picture itself.
constexpr int kWorkingSide = 2 * logo::kMaxSprayside;

QImage workingCopy(const QImage& picture)
{
    const int shorter = qMin(picture.width(), picture.height());
    if (shorter <= kWorkingSide)
        return picture;
    const double factor = double(kWorkingSide) / shorter;
    return picture.scaled(qMax(kWorkingSide, qRound(picture.width() * factor)),
                          qMax(kWorkingSide, qRound(picture.height() * factor)), Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
}

} // namespace

MakeLogoDialog::MakeLogoDialog(const QImage& picture, QWidget* parent)
    : QDialog(parent), picture_(picture), working_(workingCopy(picture))
{
    setObjectName(QStringLiteral("MakeLogoDialog"));
    setWindowTitle(QStringLiteral("Make logo"));

    actual_ = new QLabel(this);
    actual_->setObjectName(QStringLiteral("PreviewActual"));
    large_ = new QLabel(this);
    large_->setObjectName(QStringLiteral("PreviewLarge"));
    large_->setMinimumSize(kLargePreviewSide, kLargePreviewSide);
    large_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    large_->setCursor(Qt::CrossCursor);
    large_->installEventFilter(this);

    size_ = new QComboBox(this);
    size_->setObjectName(QStringLiteral("SizeBox"));
    serverSafe_ = new QCheckBox(QStringLiteral("Works on every server (64\u00d764 at most)"), this);
    serverSafe_->setObjectName(QStringLiteral("ServerSafeBox"));
    fillSizes();
    fit_ = new QComboBox(this);
    fit_->setObjectName(QStringLiteral("FitBox"));
    fit_->addItem(QStringLiteral("Pad"), int(logo::Fit::Pad));
    fit_->addItem(QStringLiteral("Crop"), int(logo::Fit::Crop));
    fit_->addItem(QStringLiteral("Stretch"), int(logo::Fit::Stretch));
    seeThrough_ = new QComboBox(this);
    seeThrough_->setObjectName(QStringLiteral("SeeThroughBox"));
    seeThrough_->addItem(QStringLiteral("None"));
    seeThrough_->addItem(QStringLiteral("From transparency"));
    seeThrough_->addItem(QStringLiteral("Picked colour"));
    seeThrough_->setCurrentIndex(picture.hasAlphaChannel() ? kFromTransparency : kNone);
    dither_ = new QCheckBox(QStringLiteral("Dithering"), this);
    dither_->setObjectName(QStringLiteral("DitherBox"));
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("ProblemLabel"));
    problem_->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Size:"), size_);
    form->addRow(serverSafe_);
    form->addRow(QStringLiteral("Fit:"), fit_);
    form->addRow(QStringLiteral("See-through:"), seeThrough_);
    auto* hint = new QLabel(QStringLiteral("Click the picture to pick the see-through colour."), this);
    hint->setWordWrap(true);
    form->addRow(hint);
    form->addRow(dither_);
    form->addRow(QStringLiteral("Actual size:"), actual_);
    form->addRow(problem_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(large_, 1);
    top->addLayout(form);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(buttons);

    const auto changed = [this] { updatePreview(); };
    connect(size_, &QComboBox::currentIndexChanged, this, changed);
    connect(fit_, &QComboBox::currentIndexChanged, this, changed);
    connect(seeThrough_, &QComboBox::currentIndexChanged, this, changed);
    connect(dither_, &QCheckBox::toggled, this, changed);
    connect(serverSafe_, &QCheckBox::toggled, this, [this] {
        fillSizes();
        updatePreview();
    });
    updatePreview();
}

// The valid sizes near the picture's aspect, largest first, within 64x64
// for every server when that is asked for.
void MakeLogoDialog::fillSizes()
{
    const QSignalBlocker quiet(size_);
    size_->clear();
    const int maxSide = logo::maxSideFor(serverSafe_->isChecked());
    for (logo::Size s : logo::sizesNear({picture_.width(), picture_.height()}, logo::kDefaultMaxArea, maxSide))
        size_->addItem(QStringLiteral("%1 x %2").arg(s.width).arg(s.height), QSize(s.width, s.height));
}

logo::LogoOptions MakeLogoDialog::options() const
{
    logo::LogoOptions options;
    const QSize size = size_->currentData().toSize();
    options.size = {size.width(), size.height()};
    options.fit = static_cast<logo::Fit>(fit_->currentData().toInt());
    switch (seeThrough_->currentIndex()) {
    case kFromTransparency:
        options.seeThrough = logo::SeeThrough::Alpha;
        break;
    case kPicked:
        options.seeThrough = pickedColour_ ? logo::SeeThrough::Colour : logo::SeeThrough::None;
        options.colour = colour_;
        break;
    default:
        options.seeThrough = logo::SeeThrough::None;
    }
    options.dither = dither_->isChecked();
    options.serverSafe = serverSafe_->isChecked();
    return options;
}

void MakeLogoDialog::updatePreview()
{
    QPushButton* ok = findChild<QPushButton*>(QStringLiteral("OkButton"));
    try {
        spray_ = logo::makeSpray(working_, options());
        problem_->clear();
        if (ok)
            ok->setEnabled(true);
    } catch (const logo::LogoError& e) {
        spray_ = {};
        problem_->setText(QString::fromStdString(e.what()));
        actual_->clear();
        large_->clear();
        if (ok)
            ok->setEnabled(false);
        return;
    }
    const QImage shown = logo::sprayPicture(spray_);
    magnification_ = qMax(1, kLargePreviewSide / qMax(shown.width(), shown.height()));
    actual_->setPixmap(onCheckerboard(shown, 1));
    large_->setPixmap(onCheckerboard(shown, magnification_));
}

// The point of the large preview lies in the logo; the colour is taken from
// the picture at the place that became that logo pixel.
void MakeLogoDialog::pickAt(QPoint previewPoint)
{
    if (spray_.width == 0)
        return;
    const double lx = (previewPoint.x() + 0.5) / magnification_;
    const double ly = (previewPoint.y() + 0.5) / magnification_;
    if (lx >= spray_.width || ly >= spray_.height || lx < 0 || ly < 0)
        return;
    const double pw = picture_.width();
    const double ph = picture_.height();
    double sx = pw / spray_.width;
    double sy = ph / spray_.height;
    const logo::Fit fit = static_cast<logo::Fit>(fit_->currentData().toInt());
    if (fit != logo::Fit::Stretch) {
        const double scale = fit == logo::Fit::Pad ? qMax(sx, sy) : qMin(sx, sy);
        sx = sy = scale;
    }
    const double x = pw / 2 + (lx - spray_.width / 2.0) * sx;
    const double y = ph / 2 + (ly - spray_.height / 2.0) * sy;
    if (x < 0 || y < 0 || x >= pw || y >= ph)
        return; // the padding
    colour_ = picture_.pixel(int(x), int(y)) | 0xff000000u;
    pickedColour_ = true;
    if (seeThrough_->currentIndex() == kPicked)
        updatePreview();
    else
        seeThrough_->setCurrentIndex(kPicked);
}

bool MakeLogoDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == large_ && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            pickAt(mouse->position().toPoint());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace makelogo
