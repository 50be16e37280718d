// The extra program dialog "Extra options".
#pragma once

#include <QDialog>

class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);

    QString extraProgramPath() const { return path_; }
    void setExtraProgramPath(const QString& path) { path_ = path; }
    void showModal() { exec(); }

private:
    QString path_;
};
