#include "TDBEdit.h"

#include <QKeyEvent>
#include <QMouseEvent>

TDBEdit::TDBEdit(int tag, QWidget* parent) : QLineEdit(parent), tag_(tag)
{
    setObjectName(QStringLiteral("DBEdit%1").arg(tag));
}

void TDBEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(this);
}

void TDBEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        emit escapePressed();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
