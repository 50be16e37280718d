// The picture-load wait time dialog "Advanced": a slider of 0 to 30 steps of
// 20 milliseconds. The import reads the wait from the slider, so a moved
// slider takes effect at once, saved or not; Save stores it as WaitTime.
#pragma once

#include <QDialog>

class QLabel;
class QSlider;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    // The slider position 0 to 30; the wait is the position times 20 ms.
    int position() const;
    void setPosition(int position);
    int waitMilliseconds() const { return position() * 20; }
    void showModal() { exec(); }

    // The slider position for a stored WaitTime text: the number divided by
    // 20, the remainder dropped, held within 0..30. A text that is not a
    // decimal number throws std::runtime_error with the conversion's message.
    static int positionFromWaitTime(const QString& waitTime);
    // The WaitTime text for a slider position.
    static QString waitTimeText(int position);

    bool waitTimeChanged() const { return WaitTimeChanged; }

    void HelpClick();
    void bSaveClick();
    void bCancelClick();
    void bCloseClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void TrackBar1Change();

    QSlider* slider_ = nullptr;
    QLabel* value_ = nullptr;
    bool WaitTimeChanged = false;
};
