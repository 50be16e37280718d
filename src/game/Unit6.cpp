#include "Unit6.h"

TForm6::TForm6(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Logo Installed"));
}

void TForm6::showInstalled() { show(); raise(); }
void TForm6::enableExtraProgramButton() {}
