#include "unit2.h"

TForm2::TForm2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Configuration"));
}

void TForm2::setStartupLocation(const QString& config) { location_ = config; }
void TForm2::showModal() { exec(); }
void TForm2::showModeless() { show(); }
