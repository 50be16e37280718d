// "Find": a field in which typing part of a logo's or a page's title lists
// the matching logos with their pages as one types; Enter or a click on a
// line goes to that page and marks the slot. A window of its own beside
// the main window, made once and kept.
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace core { class Library; }

class FindWindow : public QDialog {
    Q_OBJECT
public:
    // The most pages a search lists.
    static constexpr int kMaxPages = 200;

    explicit FindWindow(const core::Library& library, QWidget* parent = nullptr);

    // Shows the window with the field focused and its text selected.
    void showFind();
    QLineEdit* field() const { return field_; }
    QListWidget* list() const { return list_; }

signals:
    // The page to show, and its slot to mark (0: the page itself).
    void goTo(const QString& page, int slot);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search(const QString& text);
    void choose(QListWidgetItem* item);
    void chooseCurrent();

    const core::Library& library_;
    QLineEdit* field_;
    QListWidget* list_;
};
