// The whole program on a program directory of its own, with helpers for the
// slot controls of the main window and the rename dialog.
#pragma once

#include "ProgramFixture.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

class TDBImage;
class TForm9;
class QLineEdit;
class QPushButton;

class SlotFixture : public ProgramFixture {
protected:
    void SetUp() override;

    TDBImage* image(int slot);
    QLineEdit* titleEdit(int slot);
    QString title(int slot);
    // The "-" button of a slot.
    QPushButton* minus(int slot);
    // The picture field of the current page's slot, as the pending edit holds it.
    QByteArray field(int slot);

    // The stored picture title and picture of a slot of page `page`, read
    // from the table file with a connection of its own.
    QString storedTitle(const QString& page, int slot) const;
    QByteArray storedPicture(const QString& page, int slot) const;

    // The blank picture beside the program, as the slot pictures show it.
    QImage blankImage() const;

    // Clicks title edit `tag` (1 to 9) and, while the rename dialog runs,
    // does `action` with it. A dialog that `action` leaves open is closed by
    // its close box afterwards, and leftOpen() tells.
    void withRenameDialog(int tag, const std::function<void(TForm9&)>& action);
    bool leftOpen() const { return leftOpen_; }
    // Types `name` into the dialog's field (replacing what it holds) and
    // presses OK.
    static void typeAndConfirm(TForm9& dialog, const QString& name);
    static QLineEdit* nameField(TForm9& dialog);
    static QPushButton* okButton(TForm9& dialog);

    // Cancels the page's changes through the toolbar, answering Yes.
    void cancelChanges();

private:
    bool leftOpen_ = false;
};
