#include "Unit11.h"

#include "info/DialogFont.h"
#include "info/ScreenCentre.h"

#include <QCoreApplication>
#include <QProgressBar>

TForm11::TForm11(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Please Wait"));
    setFont(info::dialogFont());
    setFixedSize(178, 43);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(16, 16, 150, 16);
    ProgressBar1->setRange(0, 60);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
}

void TForm11::resetProgress()
{
    ProgressBar1->setValue(0);
    ProgressBar1->setMaximum(60);
}

void TForm11::showWaiting()
{
    info::centreOnScreen(this);
    show();
    raise();
    keepPainted();
}

void TForm11::advance(int step, const QString& caption)
{
    if (!caption.isNull())
        setWindowTitle(caption);
    ProgressBar1->setValue(qMin(ProgressBar1->value() + step, ProgressBar1->maximum()));
    keepPainted();
}

void TForm11::keepPainted()
{
    if (isVisible())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
