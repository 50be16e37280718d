// The one summary at the end of a batch import: what was imported, what
// was a duplicate and what was skipped, each with its file and reason, in
// a text that can be selected and copied.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace logoimport {

class BatchSummaryDialog : public QDialog {
    Q_OBJECT
public:
    explicit BatchSummaryDialog(QWidget* parent = nullptr);
    // Shows the text, window-modal, without waiting for it to close.
    void present(const QString& headline, const QString& text);
    QString text() const;

private:
    QPlainTextEdit* text_;
    QLabel* headline_;
};

} // namespace logoimport
