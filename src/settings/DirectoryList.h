// The folder list of a settings dialog: the folder it stands at, its
// ancestors above it and its subfolders below. A double click or Enter opens
// the folder under the cursor; a single click only highlights it.
//
// The list stands for a directory that may no longer exist (a stored path of
// a removed folder): it then lists the nearest existing ancestor, while
// directory() keeps the path it was moved to until another folder is opened.
#pragma once

#include <QListWidget>

namespace settings {

class DirectoryList : public QListWidget {
    Q_OBJECT
public:
    explicit DirectoryList(QWidget* parent = nullptr);

    // The directory the list stands for, and the folder it lists.
    QString directory() const { return directory_; }
    QString shownFolder() const { return shown_; }

    // Moves to a stored path; a missing folder lists its nearest existing
    // ancestor, and a path that is not absolute leaves the list where it is,
    // while directory() is the path given. An empty path changes nothing.
    void moveTo(const QString& path);
    // Opens a folder that must exist and be readable; false (and no change)
    // otherwise.
    bool openFolder(const QString& path);

signals:
    // The list opened a directory; byItem when the user opened one of its items.
    void opened(const QString& directory, bool byItem);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openItem(QListWidgetItem* item);
    void fill();

    QString directory_;
    QString shown_;
};

// The folder part of a file path (everything before its last separator; the
// root itself for a file in a root). Empty for a path without a separator.
QString folderOf(const QString& filePath);

} // namespace settings
