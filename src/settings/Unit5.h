// The picture-load wait time dialog "Advanced": a slider of 0 to 30 steps of
// 20 milliseconds. A moved slider changes the wait in use at once, saved or
// not; Save stores it as WaitTime.
#pragma once

#include <QDialog>

class QLabel;
class QSlider;

namespace core { class Settings; }

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(core::Settings& settings, QWidget* parent = nullptr);

    // The slider position 0 to 30; the wait is the position times 20 ms.
    int position() const;
    void setPosition(int position);
    int waitMilliseconds() const { return position() * 20; }
    void showModal() { exec(); }

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
    core::Settings& settings_;
};
