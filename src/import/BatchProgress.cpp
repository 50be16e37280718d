#include "BatchProgress.h"

#include "info/DialogFont.h"
#include "info/ScreenCentre.h"

#include <QDir>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace logoimport {

namespace {
constexpr int kWidth = 420;
}

QString timeLeftText(int seconds)
{
    const auto unit = [](int n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    if (seconds < 60)
        return unit(seconds, "second", "seconds");
    const int minutes = seconds / 60;
    if (minutes < 60)
        return unit(minutes, "minute", "minutes") + QLatin1Char(' ') + unit(seconds % 60, "second", "seconds");
    return unit(minutes / 60, "hour", "hours") + QLatin1Char(' ') + unit(minutes % 60, "minute", "minutes");
}

BatchProgress::BatchProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("BatchProgress"));
    setWindowTitle(QStringLiteral("Importing logos"));
    setFont(info::dialogFont());
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("CountLabel"));
    file_ = new QLabel(this);
    file_->setObjectName(QStringLiteral("FileLabel"));
    file_->setFixedWidth(kWidth);
    timeLeft_ = new QLabel(this);
    timeLeft_->setObjectName(QStringLiteral("TimeLeftLabel"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setTextVisible(false);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("CancelButton"));
    layout->addWidget(count_);
    layout->addWidget(file_);
    layout->addWidget(bar_);
    layout->addWidget(timeLeft_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    connect(cancel_, &QPushButton::clicked, this, &BatchProgress::cancelRequested);
}

void BatchProgress::begin()
{
    showProgress(0, -1, QString(), -1);
    adjustSize();
    info::centreOnScreen(this);
    show();
    raise();
}

void BatchProgress::showProgress(int done, int total, const QString& file, int secondsLeft)
{
    if (total < 0) {
        count_->setText(QStringLiteral("Counting the files..."));
        bar_->setRange(0, 0);
    } else {
        count_->setText(QStringLiteral("%1 of %2 files").arg(done).arg(total));
        bar_->setRange(0, qMax(total, 1));
        bar_->setValue(done);
    }
    // A long path keeps its end, where the file's own name is.
    const QString shown = QDir::toNativeSeparators(file);
    file_->setText(QFontMetrics(file_->font()).elidedText(shown, Qt::ElideLeft, kWidth));
    file_->setToolTip(shown);
    timeLeft_->setText(secondsLeft < 0 ? QString() : QStringLiteral("About %1 left").arg(timeLeftText(secondsLeft)));
}

void BatchProgress::reject() { emit cancelRequested(); }

} // namespace logoimport
