#include "Unit5.h"

#include <algorithm>
#include <stdexcept>

TForm5::TForm5(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Advanced"));
}

void TForm5::setPosition(int position) { position_ = std::clamp(position, 0, 30); }

int TForm5::positionFromWaitTime(const QString& waitTime)
{
    bool ok = false;
    const int value = waitTime.trimmed().toInt(&ok, 10);
    if (!ok)
        throw std::runtime_error(("'" + waitTime + "' is not a valid integer value").toStdString());
    return std::clamp(value / 20, 0, 30);
}
