// The file list of the extra program dialog: the ordinary files of one
// folder that pass the chosen filter. It reports the user's choices only: a
// change of the selection by click or keyboard, and every double click (on a
// file or on the empty part of the list); filling it reports nothing.
#pragma once

#include <QListWidget>

namespace settings {

class FileList : public QListWidget {
    Q_OBJECT
public:
    // Executables: "*.exe" and "*.com", and on Linux every file with execute
    // permission. AllFiles: every ordinary file.
    enum class Filter { Executables, AllFiles };

    explicit FileList(QWidget* parent = nullptr);

    void setFolder(const QString& folder);
    void setFilter(Filter filter);
    QString folder() const { return folder_; }
    Filter filter() const { return filter_; }

    // The full path of the selected file; empty when none is selected.
    QString selectedPath() const;

signals:
    void chosen();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void fill();

    QString folder_;
    Filter filter_ = Filter::Executables;
};

} // namespace settings
