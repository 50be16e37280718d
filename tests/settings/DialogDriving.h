// Driving the settings dialogs' own widgets in tests: items of the folder and
// file lists by their path or name, and presses on labels.
#pragma once

#include "settings/DirectoryList.h"

#include <QDir>
#include <QListWidget>
#include <QTest>

namespace dialogtest {

inline QListWidgetItem* folderItem(settings::DirectoryList* list, const QString& path)
{
    const QString wanted = QDir::cleanPath(path);
    for (int i = 0; i < list->count(); ++i)
        if (QDir::cleanPath(list->item(i)->data(Qt::UserRole).toString()) == wanted)
            return list->item(i);
    return nullptr;
}

inline QListWidgetItem* fileItem(QListWidget* list, const QString& name)
{
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

inline QStringList fileNames(QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

inline QPoint centreOf(QListWidget* list, QListWidgetItem* item)
{
    list->scrollToItem(item);
    return list->visualItemRect(item).center();
}

inline void clickItem(QListWidget* list, QListWidgetItem* item)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf(list, item));
}

inline void doubleClickItem(QListWidget* list, QListWidgetItem* item)
{
    const QPoint at = centreOf(list, item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

inline void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

} // namespace dialogtest
