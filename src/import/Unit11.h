// The wait window "Please Wait" shown during an import.
#pragma once

#include <QWidget>

class QProgressBar;

class TForm11 : public QWidget {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);
    QProgressBar* ProgressBar1 = nullptr;
};
