// A title edit of the main window: shows one text field of the current page
// and reports a click. It carries its number (1 to 8 for the slot titles, 9
// for the page title).
#pragma once

#include <QLineEdit>

class TDBEdit : public QLineEdit {
    Q_OBJECT
public:
    TDBEdit(int tag, QWidget* parent = nullptr);
    int tag() const { return tag_; }

signals:
    void clicked(TDBEdit* edit);
    void escapePressed();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Dropped files are an import of the window, never text for the edit.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int tag_;
};
