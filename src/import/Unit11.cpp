#include "Unit11.h"

#include <QProgressBar>

TForm11::TForm11(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Please Wait"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 60);
}
