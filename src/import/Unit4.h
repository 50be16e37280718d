// The name prompt "Enter name" of the logo import.
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
};
