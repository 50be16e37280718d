// The name prompt "Enter name" of the logo import. It has no way to cancel:
// it closes only on a name it accepts, which the caller reads from Edit1.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;

    void FormShow();
    void Edit1Change();
    void BitBtn1Click();

    // Escape and the window manager's close do nothing here.
    void reject() override {}

protected:
    void showEvent(QShowEvent* event) override;
};
