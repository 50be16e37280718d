#include "Unit9.h"

#include "app/CommandGuard.h"
#include "app/MessageBox.h"
#include "app/PageTitleTaken.h"
#include "core/Library.h"
#include "core/LogoName.h"
#include "info/DialogFont.h"
#include "info/ScreenCentre.h"
#include "store/Records.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TForm9::TForm9(core::Library& library, QWidget* parent) : QDialog(parent), library_(library)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Namechange"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(info::dialogFont());
    setFixedSize(138, 95);

    Label1 = new QLabel(QStringLiteral("Change name?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(27, 8, 84, 13);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(16, 32, 105, 21);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(32, 64, 75, 25);
    Button1->setDefault(true);
    Button1->setEnabled(false);

    connect(Edit1, &QLineEdit::textChanged, this, &TForm9::Edit1Change);
    connect(Button1, &QPushButton::clicked, this, [this] { app::runCommand([this] { Button1Click(); }); });
}

int TForm9::execFor(int target)
{
    RenameTarget = target;
    return exec();
}

void TForm9::showEvent(QShowEvent* event)
{
    info::centreOnScreen(this);
    FormShow();
    QDialog::showEvent(event);
}

void TForm9::FormShow()
{
    // The current name, selected: typing replaces it, an arrow key edits it.
    // OK waits for a change.
    const bool slot = RenameTarget >= 1 && RenameTarget <= store::LogoPage::kSlots;
    Edit1->setText(slot ? library_.slotTitle(RenameTarget) : library_.pageTitle());
    Edit1->selectAll();
    Button1->setEnabled(false);
    Edit1->setFocus();
}

void TForm9::Edit1Change() { Button1->setEnabled(true); }

bool TForm9::CheckNaam(const QString& name)
{
    for (const QChar c : name)
        if (c.unicode() > 0x20)   // something is left once spaces and control characters are trimmed
            return true;
    app::MessageBox::plain(QStringLiteral("Invalid logoname."));
    return false;
}

void TForm9::Button1Click()
{
    const QString name = Edit1->text();
    if (!CheckNaam(name)) {
        Edit1->clear();
        return;
    }
    const int target = RenameTarget;
    const bool slot = target >= 1 && target <= store::LogoPage::kSlots;
    if (slot) {
        // A slot name is a file name and must fit the title whole.
        const QString problem = logoimport::logoNameProblem(name);
        if (!problem.isEmpty()) {
            app::MessageBox::plain(problem);
            Edit1->setFocus();
            return;
        }
    }
    if (target == 9 && library_.pageTitleTaken(name)) {
        // Refused now rather than when the page is stored.
        app::showPageTitleTaken();
        Edit1->setFocus();
        Edit1->selectAll();
        return;
    }
    library_.edit();
    if (slot)
        renameLogo(target, name);
    else if (target == 9)
        renamePage(name);
    accept();
    library_.setUnsavedChanges(true);
}

void TForm9::renameLogo(int slot, const QString& name)
{
    QString reason;
    switch (library_.renameLogo(slot, name, &reason)) {
    case core::Library::RenameResult::Renamed:
        app::MessageBox::plain(QStringLiteral("Logo succesfully renamed."));
        break;
    case core::Library::RenameResult::NameRefused:
        if (reason.isEmpty())
            app::MessageBox::plain(QStringLiteral("Error renaming file, please change the logo name"));
        else   // a full disk, a missing file or a refused write: another name would not help
            app::MessageBox::error(QStringLiteral("Error renaming file: ") + reason);
        break;
    case core::Library::RenameResult::DuplicatePageTitle:
        app::showPageTitleTaken();
        break;
    }
}

void TForm9::renamePage(const QString& name)
{
    library_.renamePage(name);
    app::MessageBox::plain(QStringLiteral("Page succesfully renamed."));
}

void TForm9::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TForm9::FormClose() { Button1->setEnabled(false); }
