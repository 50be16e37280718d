// The main window: eight logo slots of the current page, the page list, the
// toolbar and the menus. Every control runs one method of the command map
// below. The window shows the library it is given and owns the dialogs,
// each made when first used and kept for the whole run.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

class QLabel;
class QPushButton;
class QToolButton;
class TDBImage;
class TDBEdit;
class TDBGrid;

class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm8;
class TForm9;
class TForm11;
class TAboutBox;
class FindWindow;

namespace core {
class Library;
class Settings;
}
namespace game { class SprayWatch; }
namespace info { class LinkLabel; }
namespace logoimport { class Importer; }
namespace slotedit { class UnlistedLogos; }

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(core::Library& library, core::Settings& settings, QWidget* parent = nullptr);
    ~TForm1() override;

    // Opens the tables; false (after the database message) when one cannot be opened.
    bool FormCreate();
    // Makes what the start needs: the import's name prompt and wait window,
    // the import's entry point and the watch over installed sprays; every
    // other dialog, Find among them, is made when first used.
    void createDialogs();
    // Makes every dialog not made yet (the tests look them up by type).
    void makeAllDialogs();
    // The checks made when the window is first shown.
    void FormShow();

    core::Library& library() { return library_; }
    core::Settings& settings() { return settings_; }
    logoimport::Importer& importer() { return *importer_; }

    // Which title edit opened the rename dialog.
    int RenameTarget = 0;

    TDBImage* picture(int slot) const { return pictures_[slot - 1]; }
    TDBEdit* titleEdit(int slot) const { return edits_[slot - 1]; }
    TDBEdit* pageTitleEdit() const { return pageTitle_; }

    // The slot the keys act on (1 to 8), framed on the screen.
    int selectedSlot() const { return selected_; }
    void selectSlot(int slot);

    // Drop acceptance of the window.
    void setDropAcceptance(bool on);

    // Command map.
    void bInsertClick();
    void bDeleteClick();
    void bRefreshClick();
    void bSaveClick();
    void bCancelClick();
    void ToolButton10Click();
    void Exit1Click();
    void Advanced1Click();
    void Config1Click();
    void Extraoptions1Click();
    void About1Click();
    void Credits1Click();
    void Help2Click();
    void Forum1Click();
    void hyperlinkClick();
    void InsertClick(int slot);
    void DeleteClick(int slot);
    void DBImageClick(int slot);
    bool refuseDamagedSlot(int slot, const QString& done);
    void DBEditClick(int tag);
    void BitBtn1Click();
    // The keys' commands on the selected slot and on pages.
    void UndoClick();
    void RenameLogoClick();
    void EmptySlotClick();
    void InstallClick();
    void PriorPageClick();
    void NextPageClick();
    void UnlistedLogosClick();
    void UserGuideClick();
    void ImportLibrary1Click();
    void ImportFolder1Click();
    void Find1Click();
    // Goes to the page and marks the slot (0: none), as Find does.
    void goToFound(const QString& page, int slot);
    // Made when first wanted, then kept.
    FindWindow* findWindow();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool FormCloseQuery();
    void FormClose();
    // Each dialog, made on first use.
    TForm2& form2();
    TForm3& form3();
    TForm5& form5();
    TForm6& form6();
    TForm8& form8();
    TForm9& form9();
    TAboutBox& aboutBox();
    slotedit::UnlistedLogos& unlistedLogos();
    void buildToolbar(QWidget* client);
    void buildSlots(QWidget* client);
    void buildMenus();
    void buildTabOrder();
    void showField(int field);
    void pageTitleEdited();
    void pageTitleHandOver();
    void pageTitleEscape();
    void updateNavigator();
    void moveCommand(const std::function<void(core::Library&)>& move);
    void slotKey(int slot, int key);
    void enterKey();
    // Neither minimized nor maximized, after a settings window closed.
    void restoreWindowState();

    core::Library& library_;
    core::Settings& settings_;
    TForm6* Form6 = nullptr;
    TForm4* Form4 = nullptr;
    TForm5* Form5 = nullptr;
    TAboutBox* AboutBox = nullptr;
    TForm3* Form3 = nullptr;
    TForm8* Form8 = nullptr;
    TForm2* Form2 = nullptr;
    TForm9* Form9 = nullptr;
    TForm11* Form11 = nullptr;
    slotedit::UnlistedLogos* unlisted_ = nullptr;
    // The game location the Configuration window opens on, once the start
    // has read it (the window may be made later).
    QString startupLocation_;
    bool startupLocationRead_ = false;
    logoimport::Importer* importer_ = nullptr;
    FindWindow* findWindow_ = nullptr;
    game::SprayWatch* sprayWatch_ = nullptr;
    std::array<TDBImage*, 8> pictures_{};
    std::array<TDBEdit*, 8> edits_{};
    TDBEdit* pageTitle_ = nullptr;
    TDBGrid* grid_ = nullptr;
    std::array<QToolButton*, 4> navigator_{};
    int selected_ = 1;
    bool pageTitleDirty_ = false;
    bool showingField_ = false;
};
