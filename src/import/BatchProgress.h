// The progress window of a batch import: how many files are done of how
// many, the file being imported, an estimate of the time left, and Cancel.
// It is modal, so no command changes the library under the batch, while
// the main window keeps painting the pages as they fill.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace logoimport {

class BatchProgress : public QDialog {
    Q_OBJECT
public:
    explicit BatchProgress(QWidget* parent = nullptr);

    void begin();
    // total -1 while the files are being counted; secondsLeft -1 while unknown.
    void showProgress(int done, int total, const QString& file, int secondsLeft);

    QLabel* count() const { return count_; }
    QLabel* file() const { return file_; }
    QLabel* timeLeft() const { return timeLeft_; }
    QPushButton* cancelButton() const { return cancel_; }

signals:
    void cancelRequested();

protected:
    // Closing the window (Escape, the close box) cancels, as the button does.
    void reject() override;

private:
    QLabel* count_;
    QLabel* file_;
    QLabel* timeLeft_;
    QProgressBar* bar_;
    QPushButton* cancel_;
};

// "1 minute 5 seconds", "12 seconds": a time left as a person reads it.
QString timeLeftText(int seconds);

} // namespace logoimport
