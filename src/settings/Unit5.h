// The picture-load wait time dialog "Advanced".
#pragma once

#include <QDialog>

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    // The slider position 0 to 30; the wait is the position times 20 ms.
    int position() const { return position_; }
    void setPosition(int position);
    int waitMilliseconds() const { return position_ * 20; }
    void showModal() { exec(); }

    // The slider position for a stored WaitTime text: the number divided by
    // 20, the remainder dropped, held within 0..30. A text that is not a
    // decimal number throws std::runtime_error with the conversion's message.
    static int positionFromWaitTime(const QString& waitTime);

private:
    int position_ = 15;
};
