// The extra program dialog "Extra options": the program (any file) that the
// logo-installed dialog offers to start after an installation. Only a choice
// in its file list changes the extra program in use, and Save stores it as
// ExtraConfig.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace core { class Settings; }
namespace info { class LinkLabel; }

namespace settings {
class DirectoryList;
class DriveBox;
class FileList;
}

class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(core::Settings& settings, QWidget* parent = nullptr);

    // A window already on the screen is only brought to the front.
    void showModal();

    void HelpClick();
    void bSaveClick();
    void bCancelClick();
    void hyperlinkClick();

signals:
    // A save is done.
    void settingsClosed();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void FileListBox1Change();
    void FilterComboBox1Change(int index);
    void DriveComboBox1Change(const QString& rootPath);
    void showPath();

    settings::DirectoryList* list_ = nullptr;
    settings::FileList* files_ = nullptr;
    settings::DriveBox* drives_ = nullptr;
    QComboBox* filter_ = nullptr;
    QLineEdit* pathBox_ = nullptr;
    info::LinkLabel* hyperlink_ = nullptr;
    core::Settings& settings_;
};
