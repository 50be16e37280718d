// The main window: eight logo slots of the current page, the page list, the
// toolbar and the menus. Every control runs one method of the command map
// below; the window owns the three tables for the whole run.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class QLabel;
class QPushButton;
class QToolButton;
class TDBImage;
class TDBEdit;
class TDBGrid;

namespace store { class Table; }
namespace info { class LinkLabel; }

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Opens the tables; false (after the database message) when one cannot be opened.
    bool FormCreate();
    // The checks made when the window is first shown.
    void FormShow();

    store::Table& Table1() { return *table1_; }   // LogoDB.db, the pages
    store::Table& Table2() { return *table2_; }   // ConfigDB.db, the settings record
    store::Table& Table3() { return *table3_; }   // SwitchDB.db, the scratch record

    // Program-wide state.
    bool UnsavedChanges = false;
    int RenameTarget = 0;
    bool WadCopied = true;
    bool DropBusy = false;

    TDBImage* picture(int slot) const { return pictures_[slot - 1]; }
    TDBEdit* titleEdit(int slot) const { return edits_[slot - 1]; }
    TDBEdit* pageTitleEdit() const { return pageTitle_; }

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
    void DBEditClick(int tag);
    void BitBtn1Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool FormCloseQuery();
    void FormClose();
    void buildToolbar(QWidget* client);
    void buildSlots(QWidget* client);
    void buildMenus();
    void buildTabOrder();
    void showField(int field);
    void pageTitleEdited();
    void pageTitleHandOver();
    void pageTitleEscape();
    void updateNavigator();
    void moveCommand(void (store::Table::*move)());

    std::unique_ptr<store::Table> table1_;
    std::unique_ptr<store::Table> table2_;
    std::unique_ptr<store::Table> table3_;
    std::array<TDBImage*, 8> pictures_{};
    std::array<TDBEdit*, 8> edits_{};
    TDBEdit* pageTitle_ = nullptr;
    TDBGrid* grid_ = nullptr;
    std::array<QToolButton*, 4> navigator_{};
    bool pageTitleDirty_ = false;
    bool showingField_ = false;
};
