// The game location dialog "Configuration".
#pragma once

#include <QDialog>

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // The game location in effect: the full directory path of the mod.
    QString gameLocation() const { return location_; }
    // At start-up: the stored location, before the window is first shown.
    void setStartupLocation(const QString& config);
    void showModal();
    void showModeless();

private:
    QString location_;
};
