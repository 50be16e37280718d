#include "FindWindow.h"

#include "core/Library.h"
#include "info/DialogFont.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
constexpr int kPageRole = Qt::UserRole;
constexpr int kSlotRole = Qt::UserRole + 1;
}

FindWindow::FindWindow(const core::Library& library, QWidget* parent)
    : QDialog(parent), library_(library)
{
    setObjectName(QStringLiteral("FindWindow"));
    setWindowTitle(QStringLiteral("Find"));
    setFont(info::dialogFont());
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Part of a logo's or a page's name:"), this);
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("FindEdit"));
    field_->setClearButtonEnabled(true);
    label->setBuddy(field_);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("FindList"));
    list_->setMinimumSize(280, 240);
    layout->addWidget(label);
    layout->addWidget(field_);
    layout->addWidget(list_);
    connect(field_, &QLineEdit::textChanged, this, &FindWindow::search);
    connect(field_, &QLineEdit::returnPressed, this, &FindWindow::chooseCurrent);
    connect(list_, &QListWidget::itemClicked, this, &FindWindow::choose);
    connect(list_, &QListWidget::itemActivated, this, &FindWindow::choose);
    // Up and Down in the field walk the list.
    field_->installEventFilter(this);
}

void FindWindow::showFind()
{
    search(field_->text());   // the library may have changed since
    show();
    raise();
    activateWindow();
    field_->setFocus();
    field_->selectAll();
}

void FindWindow::search(const QString& text)
{
    list_->clear();
    if (text.isEmpty())
        return;
    for (const core::Library::Found& found : library_.find(text, kMaxPages)) {
        const QString line = found.slot == 0
                                 ? QStringLiteral("page %1").arg(found.page)
                                 : QStringLiteral("%1   (page %2, slot %3)").arg(found.title, found.page).arg(found.slot);
        auto* item = new QListWidgetItem(line, list_);
        item->setData(kPageRole, found.page);
        item->setData(kSlotRole, found.slot);
    }
    if (list_->count() > 0)
        list_->setCurrentRow(0);
}

void FindWindow::choose(QListWidgetItem* item)
{
    if (item)
        emit goTo(item->data(kPageRole).toString(), item->data(kSlotRole).toInt());
}

void FindWindow::chooseCurrent() { choose(list_->currentItem()); }

bool FindWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field_ && event->type() == QEvent::ShortcutOverride) {
        // Enter is the field's own, not the main window's shortcut.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return true;
        }
    }
    if (watched == field_ && event->type() == QEvent::KeyPress && list_->count() > 0) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const int row = list_->currentRow() + (key == Qt::Key_Down ? 1 : -1);
            list_->setCurrentRow(qBound(0, row, list_->count() - 1));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
