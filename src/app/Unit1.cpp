#include "Unit1.h"

#include "CommandGuard.h"
#include "FindWindow.h"
#include "MessageBox.h"
#include "PageList.h"
#include "ProgramIcon.h"
#include "TDBEdit.h"
#include "TDBImage.h"
#include "ToolbarIcons.h"
#include "core/Install.h"
#include "core/Library.h"
#include "core/LogoCheck.h"
#include "core/LogoPlacement.h"
#include "core/WorkingFiles.h"
#include "core/Settings.h"
#include "game/InstallReport.h"
#include "game/SprayWatch.h"
#include "game/Unit6.h"
#include "handover/OpenFile.h"
#include "import/LogoImport.h"
#include "import/OpenDialog.h"
#include "import/Unit11.h"
#include "import/Unit4.h"
#include "info/DialogFont.h"
#include "info/LinkLabel.h"
#include "info/Links.h"
#include "info/ScreenCentre.h"
#include "info/Unit3.h"
#include "info/Unit7.h"
#include "settings/Unit5.h"
#include "settings/Unit8.h"
#include "settings/unit2.h"
#include "slots/SlotDeletion.h"
#include "slots/SlotExchange.h"
#include "slots/UnlistedLogos.h"
#include "slots/Unit9.h"
#include "store/Errors.h"
#include "store/LibraryMerge.h"
#include "store/PictureField.h"
#include "store/ProgramDir.h"
#include "store/Records.h"

#include <algorithm>
#include <functional>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

using store::LogoPage::PageTitle;
using store::LogoPage::pictureTitle;

namespace {

QFont windowFont()
{
    return info::dialogFont(11);
}

QFont slotButtonFont()
{
    return info::dialogFont(17, true);
}

QToolButton* toolButton(QWidget* bar, const QString& name, int x, app::ToolbarImage image, const QString& hint)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setGeometry(x, 2, 23, 22);
    button->setIcon(app::toolbarIcon(image));
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setToolTip(hint);
    return button;
}

QFrame* separator(QWidget* bar, int x, int width)
{
    auto* line = new QFrame(bar);
    line->setGeometry(x + width / 2 - 1, 4, 2, 18);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

TForm1::TForm1(core::Library& library, core::Settings& settings, QWidget* parent)
    : QMainWindow(parent), library_(library), settings_(settings)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tagomat 2"));
    setWindowIcon(app::programIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(windowFont());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(703, 378);
    setCentralWidget(client);

    buildToolbar(client);
    buildSlots(client);

    grid_ = new TDBGrid(library_, client);
    grid_->setGeometry(552, 40, 145, 297);
    grid_->setTabKeyNavigation(false);   // Tab goes on to the next control, not to the next page
    connect(grid_, &TDBGrid::rowPicked, this, [this](int row) {
        app::runCommand([&] { library_.moveToListRow(row); });
        grid_->follow();
    });

    const char* navNames[] = {"First", "Prior", "Next", "Last"};
    const Qt::ArrowType arrows[] = {Qt::UpArrow, Qt::LeftArrow, Qt::RightArrow, Qt::DownArrow};
    const std::function<void(core::Library&)> moves[] = {[](core::Library& l) { l.first(); },
                                                         [](core::Library& l) { l.prior(); },
                                                         [](core::Library& l) { l.next(); },
                                                         [](core::Library& l) { l.last(); }};
    auto* navigator = new QWidget(client);
    navigator->setObjectName(QStringLiteral("DBNavigator2"));
    navigator->setGeometry(576, 344, 96, 25);
    for (int i = 0; i < 4; ++i) {
        auto* button = new QToolButton(navigator);
        button->setObjectName(QStringLiteral("DBNavigator2%1").arg(QLatin1String(navNames[i])));
        button->setGeometry(24 * i, 0, 24, 25);
        button->setArrowType(arrows[i]);
        const std::function<void(core::Library&)> move = moves[i];
        connect(button, &QToolButton::clicked, this, [this, move] { moveCommand(move); });
        navigator_[i] = button;
    }

    auto* hidden = new QPushButton(client);
    hidden->setObjectName(QStringLiteral("BitBtn1"));
    hidden->setGeometry(320, 400, 75, 25);
    connect(hidden, &QPushButton::clicked, this, [this] { app::runCommand([this] { BitBtn1Click(); }); });
    for (int key : {int(Qt::Key_Return), int(Qt::Key_Enter)}) {
        auto* enter = new QShortcut(QKeySequence(key), this);
        connect(enter, &QShortcut::activated, this, &TForm1::enterKey);
    }

    buildMenus();
    buildTabOrder();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(&library_, &core::Library::fieldChanged, this, &TForm1::showField);
    connect(&library_, &core::Library::pageListChanged, this, &TForm1::updateNavigator);
    connect(&library_, &core::Library::updateRecord, this, &TForm1::pageTitleHandOver);
    slotedit::attachSlotDrag(library_, this, pictures_);
    pictures_[0]->setSelected(true);
    showField(-1);
    updateNavigator();
}

TForm1::~TForm1()
{
    // The controls and dialogs read the tables to the end (a hidden page
    // list still asks for its rows): they go before the tables do.
    QList<QPointer<QWidget>> owned;
    for (QObject* child : children())
        if (child->isWidgetType())
            owned.append(static_cast<QWidget*>(child));
    for (const QPointer<QWidget>& child : owned)
        delete child.data();   // null when a sibling took it along
}

void TForm1::buildToolbar(QWidget* client)
{
    auto* group = new QGroupBox(client);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(-8, 16, 745, 16);

    auto* bar = new QFrame(client);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setGeometry(0, 0, 703, 29);
    bar->setAutoFillBackground(true);

    using app::ToolbarImage;
    connect(toolButton(bar, QStringLiteral("ToolButton1"), 4, ToolbarImage::Plus, QStringLiteral("Add new page")),
            &QToolButton::clicked, this, [this] { app::runCommand([this] { bInsertClick(); }); });
    connect(toolButton(bar, QStringLiteral("ToolButton2"), 27, ToolbarImage::Minus, QStringLiteral("Delete current page")),
            &QToolButton::clicked, this, [this] { app::runCommand([this] { bDeleteClick(); }); });
    connect(toolButton(bar, QStringLiteral("ToolButton3"), 50, ToolbarImage::Arrows, QStringLiteral("Refresh")),
            &QToolButton::clicked, this, [this] { app::runCommand([this] { bRefreshClick(); }); });
    separator(bar, 73, 16);
    connect(toolButton(bar, QStringLiteral("ToolButton5"), 89, ToolbarImage::Check, QStringLiteral("Save changes")),
            &QToolButton::clicked, this, [this] { app::runCommand([this] { bSaveClick(); }); });
    connect(toolButton(bar, QStringLiteral("ToolButton6"), 112, ToolbarImage::BlackCross, QStringLiteral("Cancel changes")),
            &QToolButton::clicked, this, [this] { app::runCommand([this] { bCancelClick(); }); });
    separator(bar, 135, 18);
    connect(toolButton(bar, QStringLiteral("ToolButton10"), 153, ToolbarImage::RedCross, QStringLiteral("Delete all pages")),
            &QToolButton::clicked, this, [this] { app::runCommand([this] { ToolButton10Click(); }); });
    separator(bar, 176, 73);

    auto* label2 = new QLabel(QStringLiteral("For logo's visit us at: "), bar);
    label2->setObjectName(QStringLiteral("Label2"));
    QFont bold = windowFont();
    bold.setBold(true);
    bold.setPixelSize(12);
    label2->setFont(bold);
    // Wider (and the link after it) when the font needs it.
    const int label2Width = info::textWidth(label2) <= 123 ? 123 : label2->fontMetrics().horizontalAdvance(label2->text());
    label2->setGeometry(249, 0, label2Width, 29);   // with the space before the link
    label2->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);

    auto* link = new info::LinkLabel(info::webHost(), info::LinkLabel::PressLook::Unchanged, bar);
    link->setObjectName(QStringLiteral("hyperlink"));
    QFont linkFont = windowFont();
    linkFont.setBold(true);
    linkFont.setUnderline(true);
    linkFont.setPixelSize(13);
    link->setFont(linkFont);
    link->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    link->place(label2->geometry().right() + 1, 3, 120, 22);   // wider when the font needs it
    connect(link, &info::LinkLabel::clicked, this, [this] { app::runCommand([this] { hyperlinkClick(); }); });

    // The page title label ends where the title box starts; a wider font
    // takes its room from the space before it.
    auto* label1 = new QLabel(QStringLiteral("Page Title: "), bar);
    label1->setObjectName(QStringLiteral("Label1"));
    const int label1Width = std::max(54, info::textWidth(label1));
    label1->setGeometry(623 - label1Width, 0, label1Width, 29);
    const int linkEnd = link->geometry().right() + 1;
    separator(bar, linkEnd, label1->x() - linkEnd);
    label1->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);

    pageTitle_ = new TDBEdit(9, bar);
    pageTitle_->setGeometry(623, 3, 69, 22);
    pageTitle_->setMaxLength(store::LogoPage::kTitleWidth);
    pageTitle_->setToolTip(QStringLiteral("Enter pagename."));
    connect(pageTitle_, &TDBEdit::clicked, this, [this](TDBEdit* e) { app::runCommand([this, e] { DBEditClick(e->tag()); }); });
    connect(pageTitle_, &QLineEdit::textEdited, this, [this] { app::runCommand([this] { pageTitleEdited(); }); });
    connect(pageTitle_, &TDBEdit::escapePressed, this, &TForm1::pageTitleEscape);
    connect(pageTitle_, &QLineEdit::editingFinished, this, [this] {
        if (!pageTitle_->hasFocus())
            app::runCommand([this] {
                // A changed title taken over when the edit is left is a change to save.
                if (pageTitleDirty_ && pageTitle_->text() != library_.pageTitle())
                    library_.setUnsavedChanges(true);
                pageTitleHandOver();
            });
    });
}

void TForm1::buildSlots(QWidget* client)
{
    const QFont buttonFont = slotButtonFont();
    for (int n = 1; n <= 8; ++n) {
        const int c = (n - 1) % 4;
        const int r = n <= 4 ? 0 : 1;
        const int x = 8 + 136 * c;
        const int y = 40 + 176 * r;

        auto* image = new TDBImage(n, client);
        image->setGeometry(x, y, 129, 129);
        connect(image, &TDBImage::doubleClicked, this,
                [this](TDBImage* img) { app::runCommand([this, img] { DBImageClick(img->slot()); }); });
        connect(image, &TDBImage::focused, this, [this](TDBImage* img) { selectSlot(img->slot()); });
        connect(image, &TDBImage::keyPressed, this,
                [this](TDBImage* img, int key) { app::runCommand([this, img, key] { slotKey(img->slot(), key); }); });
        pictures_[n - 1] = image;

        auto* plus = new QPushButton(QStringLiteral("+"), client);
        plus->setObjectName(QStringLiteral("Button%1").arg(2 * n - 1));
        plus->setProperty("tag", n);
        plus->setGeometry(x + 96, y + 112, 17, 17);
        plus->setFont(buttonFont);
        plus->setToolTip(QStringLiteral("Click to change or add a picture."));
        connect(plus, &QPushButton::clicked, this, [this, n] { app::runCommand([this, n] { InsertClick(n); }); });

        auto* minus = new QPushButton(QStringLiteral("-"), client);
        minus->setObjectName(QStringLiteral("Button%1").arg(2 * n));
        minus->setProperty("tag", n);
        minus->setGeometry(x + 112, y + 112, 17, 17);
        minus->setFont(buttonFont);
        minus->setToolTip(QStringLiteral("Click to delete this picture."));
        connect(minus, &QPushButton::clicked, this, [this, n] { app::runCommand([this, n] { DeleteClick(n); }); });

        auto* edit = new TDBEdit(n, client);
        edit->setGeometry(x, y + 136, 129, 21);
        edit->setReadOnly(true);
        edit->setToolTip(QStringLiteral("Logo name, click to change.. hit enter after changing"));
        connect(edit, &TDBEdit::clicked, this, [this](TDBEdit* e) { app::runCommand([this, e] { DBEditClick(e->tag()); }); });
        edits_[n - 1] = edit;
    }
}

void TForm1::buildMenus()
{
    auto add = [this](QMenu* menu, const QString& name, const QString& text, void (TForm1::*method)(),
                      const QKeySequence& keys = {}) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, [this, method] { app::runCommand([this, method] { (this->*method)(); }); });
        return action;
    };
    // Keys the slot pictures take themselves (Delete, Enter) are only shown
    // in the menu, so that the page title box keeps them for its text.
    auto shown = [](QAction* action, const QString& keys) { action->setText(action->text() + QLatin1Char('\t') + keys); };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    add(file, QStringLiteral("Cancel1"), QStringLiteral("&Cancel"), &TForm1::bCancelClick);
    add(file, QStringLiteral("Save1"), QStringLiteral("&Save"), &TForm1::bSaveClick, QKeySequence(Qt::CTRL | Qt::Key_S));
    add(file, QStringLiteral("ImportFolder1"), QStringLiteral("&Import folder or archive..."), &TForm1::ImportFolder1Click);
    add(file, QStringLiteral("ImportLibrary1"), QStringLiteral("&Import library..."), &TForm1::ImportLibrary1Click);
    add(file, QStringLiteral("UnlistedLogos1"), QStringLiteral("&Logos not in the library..."), &TForm1::UnlistedLogosClick);
    add(file, QStringLiteral("Exit1"), QStringLiteral("E&xit"), &TForm1::Exit1Click, QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    add(edit, QStringLiteral("Undo1"), QStringLiteral("&Undo slot change"), &TForm1::UndoClick, QKeySequence(Qt::CTRL | Qt::Key_Z));
    edit->addSeparator();
    add(edit, QStringLiteral("Find1"), QStringLiteral("&Find..."), &TForm1::Find1Click, QKeySequence::Find);
    edit->addSeparator();
    add(edit, QStringLiteral("RenameLogo1"), QStringLiteral("&Rename logo..."), &TForm1::RenameLogoClick, QKeySequence(Qt::Key_F2));
    shown(add(edit, QStringLiteral("EmptySlot1"), QStringLiteral("&Empty slot..."), &TForm1::EmptySlotClick), QStringLiteral("Del"));
    shown(add(edit, QStringLiteral("InstallLogo1"), QStringLiteral("&Install logo"), &TForm1::InstallClick), QStringLiteral("Enter"));
    QMenu* config = menuBar()->addMenu(QStringLiteral("&Config"));
    config->setObjectName(QStringLiteral("Config2"));
    add(config, QStringLiteral("Advanced1"), QStringLiteral("&Advanced"), &TForm1::Advanced1Click);
    add(config, QStringLiteral("Config1"), QStringLiteral("&Configuration"), &TForm1::Config1Click);
    add(config, QStringLiteral("Extraoptions1"), QStringLiteral("E&xtra options"), &TForm1::Extraoptions1Click);
    QMenu* pages = menuBar()->addMenu(QStringLiteral("&Page Control"));
    pages->setObjectName(QStringLiteral("PageControl1"));
    add(pages, QStringLiteral("Insertanewpage1"), QStringLiteral("&Insert a new page"), &TForm1::bInsertClick);
    add(pages, QStringLiteral("Deletethispage1"), QStringLiteral("&Delete this page"), &TForm1::bDeleteClick);
    add(pages, QStringLiteral("Refreshpages1"), QStringLiteral("&Refresh pages"), &TForm1::bRefreshClick, QKeySequence(Qt::Key_F5));
    add(pages, QStringLiteral("Deleteallpages1"), QStringLiteral("Delete &all pages"), &TForm1::ToolButton10Click);
    pages->addSeparator();
    shown(add(pages, QStringLiteral("PriorPage1"), QStringLiteral("&Previous page"), &TForm1::PriorPageClick), QStringLiteral("PgUp"));
    shown(add(pages, QStringLiteral("NextPage1"), QStringLiteral("&Next page"), &TForm1::NextPageClick), QStringLiteral("PgDown"));
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    add(help, QStringLiteral("About1"), QStringLiteral("&About"), &TForm1::About1Click);
    add(help, QStringLiteral("Credits1"), QStringLiteral("&Credits"), &TForm1::Credits1Click);
    add(help, QStringLiteral("Help2"), QStringLiteral("&Help (online)"), &TForm1::Help2Click);
    add(help, QStringLiteral("Forum1"), QStringLiteral("F&orum (online)"), &TForm1::Forum1Click);
    add(help, QStringLiteral("UserGuide1"), QStringLiteral("&User guide"), &TForm1::UserGuideClick, QKeySequence(Qt::Key_F1));
}

void TForm1::buildTabOrder()
{
    QList<QWidget*> order;
    for (TDBEdit* e : edits_)
        order << e;
    for (TDBImage* p : pictures_)
        order << p;
    for (QToolButton* b : navigator_)
        order << b;
    for (int n = 1; n <= 16; ++n)
        order << findChild<QPushButton*>(QStringLiteral("Button%1").arg(n));
    order << grid_;
    for (int n : {1, 2, 3, 5, 6, 10})
        order << findChild<QToolButton*>(QStringLiteral("ToolButton%1").arg(n));
    order << pageTitle_;
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

bool TForm1::FormCreate()
{
    try {
        library_.open(store::programDir());
        settings_.open(store::programDir());
        // The logos whose import a kill interrupted get their name, or go.
        logoimport::settleUnfinishedPlacements(library_);
    } catch (const store::DatabaseError&) {
        // A full disk is no missing table: the user is told where to make room.
        if (store::programDirDiskFull())
            app::MessageBox::error(QStringLiteral("The disk that holds %1 is full: Tagomat 2 cannot open its tables. "
                                                  "Make room on it and start Tagomat 2 again.")
                                       .arg(store::programDir()));
        else
            app::MessageBox::plain(QStringLiteral("Install the Database update before you start Tagomat2. Find it at our website ")
                                   + info::webHost());
        return false;
    }
    setDropAcceptance(true);
    return true;
}

void TForm1::createDialogs()
{
    Form4 = new TForm4(this);
    Form11 = new TForm11(this);
    importer_ = new logoimport::Importer(library_, settings_, *Form4, *Form11, this);
    sprayWatch_ = new game::SprayWatch(settings_, this);

    connect(importer_, &logoimport::Importer::dropAcceptanceChanged, this, &TForm1::setDropAcceptance);
    connect(importer_, &logoimport::Importer::importingQueued, this, [this] { handover::bringToFront(*this); });
}

void TForm1::makeAllDialogs()
{
    findWindow();
    form6();
    form5();
    aboutBox();
    form3();
    form8();
    form2();
    form9();
    unlistedLogos();
}

FindWindow* TForm1::findWindow()
{
    if (!findWindow_) {
        findWindow_ = new FindWindow(library_, this);
        connect(findWindow_, &FindWindow::goTo, this, [this](const QString& page, int slot) {
            app::runCommand([&] { goToFound(page, slot); });
        });
    }
    return findWindow_;
}

TForm2& TForm1::form2()
{
    if (!Form2) {
        Form2 = new TForm2(settings_, this);
        if (startupLocationRead_)
            Form2->setStartupLocation(startupLocation_);
        connect(Form2, &TForm2::extraOptionsWanted, this, [this] { form8().showModal(); });
        connect(Form2, &TForm2::settingsClosed, this, &TForm1::restoreWindowState);
    }
    return *Form2;
}

TForm3& TForm1::form3()
{
    if (!Form3)
        Form3 = new TForm3(this);
    return *Form3;
}

TForm5& TForm1::form5()
{
    if (!Form5)
        Form5 = new TForm5(settings_, this);
    return *Form5;
}

TForm6& TForm1::form6()
{
    if (!Form6) {
        Form6 = new TForm6(library_, settings_, this);
        connect(Form6, &TForm6::quitRequested, this, &QWidget::close);
        if (sprayWatch_)
            connect(Form6, &TForm6::aboutToStartGame, sprayWatch_, &game::SprayWatch::check);
    }
    return *Form6;
}

TForm8& TForm1::form8()
{
    if (!Form8) {
        Form8 = new TForm8(settings_, this);
        connect(Form8, &TForm8::settingsClosed, this, &TForm1::restoreWindowState);
    }
    return *Form8;
}

TForm9& TForm1::form9()
{
    if (!Form9)
        Form9 = new TForm9(library_, this);
    return *Form9;
}

slotedit::UnlistedLogos& TForm1::unlistedLogos()
{
    if (!unlisted_)
        unlisted_ = new slotedit::UnlistedLogos(library_, this);
    return *unlisted_;
}

TAboutBox& TForm1::aboutBox()
{
    if (!AboutBox)
        AboutBox = new TAboutBox(this);
    return *AboutBox;
}

void TForm1::restoreWindowState()
{
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

void TForm1::FormShow()
{
    settings_.useSavedValues();
    startupLocation_ = settings_.savedGameLocation();
    startupLocationRead_ = true;
    if (Form2)
        Form2->setStartupLocation(startupLocation_);
    if (settings_.gameLocationMark() == QLatin1String("No") && settings_.extraProgramMark() == QLatin1String("No"))
        form2().showModal();

    logoimport::removeLeftoverWorkingFiles();

    pictures_[0]->setFocus();
    app::runCommand([this] { settings_.useSavedWaitTime(); });
    // A game may have replaced an installed spray while Tagomat 2 was closed.
    if (sprayWatch_)
        app::runCommand([this] { sprayWatch_->check(); });
}

void TForm1::setDropAcceptance(bool on) { setAcceptDrops(on); }

void TForm1::showField(int field)
{
    auto showSlotTitle = [this](int n) { edits_[n - 1]->setText(library_.slotTitle(n)); };
    // A slot shows its picture field, with a mark when the game would not
    // use the logo; a single-colour decal is shown as the game draws it.
    auto showSlotPicture = [this](int n) {
        TDBImage* picture = pictures_[n - 1];
        // A damaged slot shows no picture, only why.
        if (const QStringList damage = library_.slotDamage(n); !damage.isEmpty()) {
            picture->setImage(QImage());
            picture->setWarning(damage);
            return;
        }
        const core::LogoCheck check = core::checkLogo(library_.slotTitle(n));
        if (check.isDecal() && check.picture)
            picture->setImage(core::gameLookImage(*check.picture, picture->palette().color(QPalette::Window)));
        else
            picture->setImage(store::pictureImage(library_.slotPicture(n)));
        picture->setWarning(check.marked() ? check.reasons() : QStringList());
    };
    if (field == -1)
        for (TDBImage* p : pictures_)
            p->setMarked(false);   // the mark of Find stays on its page only
    if (field == -1 || field == PageTitle) {
        pageTitleDirty_ = false;
        pageTitle_->setText(library_.pageTitle());
        // A title over its width shows empty; the tip says why.
        pageTitle_->setToolTip(library_.pageTitleDamaged()
                                   ? QStringLiteral("Enter pagename.\nThe stored name is damaged: longer than %1 characters.")
                                         .arg(store::LogoPage::kTitleWidth)
                                   : QStringLiteral("Enter pagename."));
    }
    for (int n = 1; n <= store::LogoPage::kSlots; ++n) {
        if (field == -1 || field == pictureTitle(n))
            showSlotTitle(n);
        if (field == -1 || field == store::LogoPage::picture(n) || field == pictureTitle(n))
            showSlotPicture(n);
    }
}

void TForm1::pageTitleEdited()
{
    if (!library_.isEditing()) {
        // Opening the edit of an empty library shows its blank row: the
        // typed text is put back over it.
        const QString typed = pageTitle_->text();
        const int cursor = pageTitle_->cursorPosition();
        library_.edit();
        if (pageTitle_->text() != typed) {
            pageTitle_->setText(typed);
            pageTitle_->setCursorPosition(cursor);
        }
    }
    pageTitleDirty_ = true;
}

void TForm1::pageTitleHandOver()
{
    if (!pageTitleDirty_)
        return;
    const QString text = pageTitle_->text();
    library_.renamePage(text);   // clears the dirty mark through showField
    pageTitleDirty_ = false;
}

void TForm1::pageTitleEscape()
{
    pageTitleDirty_ = false;
    pageTitle_->setText(library_.pageTitle());
    pageTitle_->selectAll();
}

void TForm1::updateNavigator()
{
    const int row = library_.currentListRow();
    const int count = library_.listCount();
    navigator_[0]->setEnabled(row > 0);
    navigator_[1]->setEnabled(row > 0);
    navigator_[2]->setEnabled(row >= 0 && row < count - 1);
    navigator_[3]->setEnabled(row >= 0 && row < count - 1);
}

void TForm1::moveCommand(const std::function<void(core::Library&)>& move)
{
    app::runCommand([this, &move] { move(library_); });
    grid_->follow();
}

// Closing.

void TForm1::Exit1Click()
{
    if (app::MessageBox::confirm(QStringLiteral("Press \"Yes\" to exit.")))
        close();
}

bool TForm1::FormCloseQuery()
{
    try {
        library_.edit();
        if (library_.UnsavedChanges() && app::MessageBox::confirm(QStringLiteral("Do you want to save changes?")))
            library_.post();
    } catch (const std::exception& e) {
        app::MessageBox::error(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

void TForm1::FormClose()
{
    setDropAcceptance(false);
    if (Form2)
        Form2->closeForQuit();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    QApplication::closeAllWindows();
}

// Dropped files.

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (acceptDrops() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dragMoveEvent(QDragMoveEvent* event)
{
    if (acceptDrops() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    if (!acceptDrops() || !event->mimeData()->hasUrls())
        return;
    event->acceptProposedAction();
    const QList<QUrl> urls = event->mimeData()->urls();
    app::runCommand([this, &urls] { importer_->dropFiles(urls); });
}

// Commands of the other windows and modules.

void TForm1::Advanced1Click() { form5().showModal(); }
void TForm1::Config1Click() { form2().showModal(); }
void TForm1::Extraoptions1Click() { form8().showModal(); }
void TForm1::About1Click() { aboutBox().exec(); }
void TForm1::Credits1Click() { form3().exec(); }
void TForm1::Help2Click() { info::openAddress(info::helpPage()); }
void TForm1::Forum1Click() { info::openAddress(info::forumPage()); }
void TForm1::UserGuideClick()
{
    if (!info::openAddress(info::userGuide()))
        app::MessageBox::plain(QStringLiteral("The user guide could not be opened: no program here shows %1.")
                                   .arg(info::userGuide().toLocalFile()));
}
void TForm1::hyperlinkClick() { info::openAddress(info::webSite()); }
// Another library's pages and logos, added to this one.
void TForm1::ImportLibrary1Click()
{
    const QString folder = logoimport::OpenDialog::chooseFolder(this, QStringLiteral("Import library"));
    if (folder.isEmpty())
        return;
    try {
        const core::Library::MergeSummary summary = library_.importLibrary(folder);
        QString text = QStringLiteral("%1 pages were imported from %2.").arg(summary.pages).arg(folder);
        if (!summary.notes.isEmpty())
            text += QLatin1Char('\n') + summary.notes.join(QLatin1Char('\n'));
        app::MessageBox::plain(text);
    } catch (const store::MergeError& e) {
        app::MessageBox::error(QStringLiteral("The library in %1 could not be imported: %2").arg(folder, QString::fromUtf8(e.what())));
    }
    grid_->follow();
}

void TForm1::ImportFolder1Click() { importer_->importFolderOrArchive(); }

void TForm1::Find1Click() { findWindow()->showFind(); }

void TForm1::goToFound(const QString& page, int slot)
{
    if (!library_.goToPage(page))
        return;   // gone since the search
    if (slot >= 1 && slot <= 8) {
        pictures_[slot - 1]->setMarked(true);
        selectSlot(slot);
        pictures_[slot - 1]->setFocus();
    }
}
void TForm1::DeleteClick(int slot) { slotedit::deleteClick(library_, slot); }
void TForm1::UnlistedLogosClick() { unlistedLogos().showModal(); }

// "+" on a filled slot asks first; the logo it replaces loses its slot, and
// its file is dealt with as "-" deals with it.
void TForm1::InsertClick(int slot)
{
    const QString old = library_.slotTitle(slot);
    if (!old.isEmpty()
        && !app::MessageBox::confirm(QStringLiteral("Replace \"%1\" in this slot?").arg(old), app::MessageBox::Answer::No))
        return;
    importer_->insertClick(slot);
    if (old.isEmpty() || library_.slotTitle(slot) == old)
        return;   // cancelled or failed: the old logo is still there
    if (!app::MessageBox::confirm(QStringLiteral("Do you want to delete the wad file of the logo? (cannot be undone!)"),
                                  app::MessageBox::Answer::No))
        return;
    switch (library_.removeLogoFile(old)) {
    case core::Library::RemoveResult::Removed:
        break;
    case core::Library::RemoveResult::StillNamed:
        app::MessageBox::plain(QStringLiteral("The file of \"%1\" is kept: another slot shows it.").arg(old));
        break;
    case core::Library::RemoveResult::NoFileName:
        app::MessageBox::plain(QStringLiteral("The title \"%1\" is no file name, so no file was deleted.").arg(old));
        break;
    case core::Library::RemoveResult::Failed:
        app::MessageBox::plain(QStringLiteral("Could not delete ") + store::logoWadPath(old));
        break;
    }
}

// Keys.

void TForm1::selectSlot(int slot)
{
    if (slot < 1 || slot > store::LogoPage::kSlots)
        return;
    selected_ = slot;
    for (TDBImage* picture : pictures_)
        picture->setSelected(picture->slot() == slot);
    if (!pictures_[slot - 1]->hasFocus() && isActiveWindow())
        pictures_[slot - 1]->setFocus(Qt::OtherFocusReason);
}

// The slots lie in two rows of four: the arrows move within them and stop at the edges.
void TForm1::slotKey(int slot, int key)
{
    const int column = (slot - 1) % 4, row = (slot - 1) / 4;
    switch (key) {
    case Qt::Key_Left:
        if (column > 0)
            selectSlot(slot - 1);
        break;
    case Qt::Key_Right:
        if (column < 3)
            selectSlot(slot + 1);
        break;
    case Qt::Key_Up:
        if (row > 0)
            selectSlot(slot - 4);
        break;
    case Qt::Key_Down:
        if (row < 1)
            selectSlot(slot + 4);
        break;
    case Qt::Key_PageUp:
        PriorPageClick();
        break;
    case Qt::Key_PageDown:
        NextPageClick();
        break;
    case Qt::Key_Delete:
        selectSlot(slot);
        EmptySlotClick();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        enterKey();
        break;
    default:
        break;
    }
}

// Enter installs the logo of a slot picture that has the focus; elsewhere,
// and on an empty slot, it is the hidden default button, which takes over
// the page title.
void TForm1::enterKey()
{
    auto* picture = qobject_cast<TDBImage*>(focusWidget());
    if (picture && !library_.slotTitle(picture->slot()).isEmpty()) {
        app::runCommand([this, picture] { DBImageClick(picture->slot()); });
        return;
    }
    findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
}

void TForm1::UndoClick()
{
    QString gone;
    if (library_.undoSlotChange(&gone) == core::Library::UndoResult::FileGone)
        app::MessageBox::plain(
            QStringLiteral("The logo file of \"%1\" has been deleted, so this change cannot be undone.").arg(gone));
}

void TForm1::RenameLogoClick() { DBEditClick(selected_); }
// A damaged slot's title and picture are not read: such a slot can be
// emptied, nothing else. True when the command stops here (said why).
bool TForm1::refuseDamagedSlot(int slot, const QString& done)
{
    const QStringList damage = library_.slotDamage(slot);
    if (damage.isEmpty())
        return false;
    app::MessageBox::error(QStringLiteral("The logo in slot %1 cannot be %2 (%3). Empty the slot with \"-\" and import "
                                          "the logo again.")
                               .arg(slot)
                               .arg(done, damage.join(QStringLiteral("; "))));
    return true;
}

void TForm1::EmptySlotClick()
{
    if (!library_.slotTitle(selected_).isEmpty() || !library_.slotDamage(selected_).isEmpty())
        DeleteClick(selected_);
}
void TForm1::InstallClick() { DBImageClick(selected_); }
void TForm1::PriorPageClick() { moveCommand([](core::Library& l) { l.prior(); }); }
void TForm1::NextPageClick() { moveCommand([](core::Library& l) { l.next(); }); }

// The double click on a slot picture installs its logo into the game.
void TForm1::DBImageClick(int slot)
{
    if (refuseDamagedSlot(slot, QStringLiteral("installed")))
        return;
    const QString title = library_.slotTitle(slot);
    // A logo the game would not use is installed only when the user insists.
    const core::LogoCheck check = core::checkLogo(title);
    if (check.marked() && (settings_.gameLocationSaved() || settings_.extraProgramSaved())
        && !app::MessageBox::confirm(QStringLiteral("\"%1\" will not show in the game: %2. Install it anyway?")
                                         .arg(title, check.reasons().join(QStringLiteral("; "))),
                                     app::MessageBox::Answer::No))
        return;
    const core::InstallResult result = core::installLogo(title, settings_);
    using Outcome = core::InstallResult::Outcome;
    switch (result.outcome) {
    case Outcome::Installed:
        game::reportInstall(result);
        form6().showInstalled(result.installedFolders(), result.writtenText());
        break;
    case Outcome::NotConfigured:
        // The user is sent to the Configuration window, and the main window
        // stays usable beside it.
        form2().showModeless();
        break;
    default:
        if (result.isError())
            app::MessageBox::error(result.text);
        else
            app::MessageBox::plain(result.text);
    }
}
