// The wait window "Please Wait": a progress bar that the import advances
// while the converters work. It is shown without modality and stays on top.
#pragma once

#include <QWidget>

class QProgressBar;

class TForm11 : public QWidget {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);
    QProgressBar* ProgressBar1 = nullptr;

    // Position 0, maximum 60.
    void resetProgress();
    // Shows the window centred on the screen.
    void showWaiting();
    // Sets the caption and advances the bar by `step`.
    void advance(int step, const QString& caption = QString());
    // Paints what has changed, without taking any user input.
    void keepPainted();
};
