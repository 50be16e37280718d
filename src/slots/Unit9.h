// The rename dialog "Namechange": asks for a new name for the logo or the
// page whose title edit opened it, and renames it in the library. It opens
// with the current name selected; Escape closes it as its close box does.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace core { class Library; }

class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(core::Library& library, QWidget* parent = nullptr);

    // Asks for the new name of slot `target` (1 to 8), or of the page (9).
    int execFor(int target);

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;

    // The blank test: false, after "Invalid logoname.", when nothing but
    // spaces and control characters is left of the name.
    static bool CheckNaam(const QString& name);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void Edit1Change();
    void Button1Click();
    void FormClose();
    void renameLogo(int slot, const QString& name);
    void renamePage(const QString& name);

    core::Library& library_;
    int RenameTarget = 0;
};
