// The library: the pages of LogoDB.db with their eight slots, the current
// page and its pending edit, the scratch record of SwitchDB.db, and the
// logo wad files the slots name. Every command on pages and slots goes
// through here; the windows show what it signals and ask the user, the
// library never does.
//
// A command changes the current page in a pending edit, which reaches the
// table file on save(), on a move to another page, on refresh(), at the end
// of an import, or on closing. Logo wad files are copied, renamed and
// deleted at once, outside the pending edit.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace store { class Table; }

namespace core {

class Library : public QObject {
    Q_OBJECT
public:
    explicit Library(QObject* parent = nullptr);
    ~Library() override;

    // Opens LogoDB.db and SwitchDB.db of the directory; throws
    // store::DatabaseError when one cannot be opened.
    void open(const QString& dir);
    void close();

    // The current page as shown: the pending edit's values.
    QString pageTitle() const;
    QString slotTitle(int slot) const;
    QByteArray slotPicture(int slot) const;
    // Why the slot's stored title or picture is damaged (over its field's
    // size, and so read as empty): "damaged title: ...", "damaged picture:
    // ..."; empty for a sound slot. The slot can only be emptied.
    QStringList slotDamage(int slot) const;
    // The page title is over its field's width, and read as empty.
    bool pageTitleDamaged() const;
    // The lowest-numbered slot without a title, 0 when the page is full.
    int freeSlot() const;

    // The page list: every page's title in key order, a page being added
    // shown at its place; currentListRow() is the current page's line.
    int listCount() const;
    QString listKey(int line) const;
    int currentListRow() const;
    bool isAddingPage() const;
    bool isEditing() const;
    bool isEmpty() const;
    int pageCount() const;
    // The slot titles of every stored page (the pending edit not among them).
    QStringList storedSlotTitles() const;

    // Pages or slots changed since the last save.
    bool UnsavedChanges() const { return unsavedChanges_; }
    void setUnsavedChanges(bool on);

    // The pending edit of the current page: begun (an empty library gets a
    // new page), and posted to the table file. A refused duplicate page
    // title is a store::EngineError with the key-violation text.
    void edit();
    void post();
    // edit() and post() in one: what the end of an import and a game start do.
    void store();

    // Moves; each first posts the pending edit.
    void first();
    void prior();
    void next();
    void last();
    // A line of the page list as it was shown before the pending edit was posted.
    void moveToListRow(int line);
    void refresh();

    // Page commands.
    void addPage();
    enum class DeleteResult { Deleted, NothingToDelete };
    // Deletes the current page, and with it the logo wad files its slots
    // name (only once the row is gone). A title that names no plain file
    // stops the command (store::TitleError) before anything changes.
    DeleteResult deletePage(bool withFiles);
    void deleteAllPages(bool withFiles);
    // Posts the current page and clears UnsavedChanges.
    void save();
    // Drops the pending edit and reads the table again.
    void cancel();
    // The page title typed in the title box; false when it is the stored one.
    bool setPageTitle(const QString& title);

    // Slot commands.
    void setSlot(int slot, const QString& title, const QByteArray& picture);
    // The blank picture of an emptied slot, from empty.bmp; a file error
    // (files::FileError) when it is missing or no bitmap.
    static QByteArray blankPicture(const QString& path);
    struct EmptyResult {
        bool duplicatePageTitle = false;   // the page could not be stored: its title is taken
        bool fileKept = false;             // the logo wad file is still there
        bool titleNamesNoFile = false;     // the title was no file name: no file was touched
        QString title;                     // the title the slot had
        QString file;                      // the logo wad file (empty when the title names none)
    };
    // Shows the blank picture (read from `blankPath`) and clears the title;
    // with its file, the page is stored first and the logo wad file then
    // deleted. A slot whose title is no plain file name (a damaged table) is
    // emptied all the same, and no file is touched.
    EmptyResult emptySlot(int slot, bool withFile, const QString& blankPath);
    // Exchanges the contents of two slots through the scratch record.
    void exchangeSlots(int source, int target);
    enum class RenameResult { Renamed, NameRefused, DuplicatePageTitle };
    // Renames the slot's logo with its file. A refused name leaves all as it
    // was; `reason` says why when another name would not help.
    RenameResult renameLogo(int slot, const QString& name, QString* reason);
    void renamePage(const QString& name);
    // True when another page than the current one has this title (as the
    // title field would keep it): storing it would be refused.
    bool pageTitleTaken(const QString& title) const;

    // Undo of the slot changes of the current page (a logo put in, a slot
    // emptied, two slots exchanged), last change first, until the page is
    // saved, cancelled, refreshed or left. A logo rename is a file change
    // and ends the history. Undo never brings back a title whose logo wad
    // file is gone: it refuses that step, names the title and forgets it.
    bool canUndo() const { return !undo_.empty(); }
    enum class UndoResult { Undone, NothingToUndo, FileGone };
    UndoResult undoSlotChange(QString* goneTitle = nullptr);

    // The logo wad files of the program directory that no slot of any page
    // names (nor the pending edit): their titles, sorted.
    QStringList unlistedLogos() const;
    enum class RemoveResult { Removed, StillNamed, NoFileName, Failed };
    // Deletes the logo wad file of `title` unless a slot still names it.
    RemoveResult removeLogoFile(const QString& title);
    // Posts the scratch record a slot exchange may have left pending.
    void storeScratch();
    // What the scratch record holds, and whether that is still pending.
    bool isScratchPending() const;
    QString scratchTitle() const;
    QByteArray scratchPicture() const;

    // Adds the pages of the library in `folder` (Paradox tables or ours)
    // with their logo wad files; see store::mergeLibrary. Throws
    // store::MergeError with the reason.
    struct MergeSummary {
        int pages = 0;
        QStringList notes;   // renamed pages and logos, missing files
    };
    MergeSummary importLibrary(const QString& folder);

    // True when the file is the logo wad file of a slot of any stored page
    // or of the current page's pending edit.
    bool namesLogoFile(const QString& path) const;

    // Finding: the stored logos and pages whose titles hold `part` (letter
    // case of A to Z not counted), in page order, from at most `limit` pages.
    // A page found by its own title alone comes with slot 0.
    struct Found {
        QString page;
        int slot = 0;
        QString title;   // the logo's, or the page's for slot 0
    };
    QList<Found> find(const QString& part, int limit) const;
    // Makes the stored page of this title the current one (the pending edit
    // is posted first, as on any move); false when there is none.
    bool goToPage(const QString& title);

    // For imports of many logos.
    bool hasPageTitled(const QString& title) const;
    // The page title for the next page named after `base`: "base 1",
    // "base 2", ..., the first that no page has, cut to the title's width.
    QString freePageTitle(const QString& base) const;
    // The slot the next logo of a batch goes to: the current page's first
    // free one, else slot 1 of a new page titled freePageTitle(pageBase),
    // the current page stored first. Throws as post() does.
    int nextFreeSlotAddingPage(const QString& pageBase);

signals:
    // Controls that hold changes of their own hand them over now, before a
    // post or a move settles the pending edit.
    void updateRecord();
    // A field of the current page changed (-1: the whole page).
    void fieldChanged(int field);
    // The page list or the current page's place in it changed.
    void pageListChanged();
    // Editing began or ended (the page list marks a page being added).
    void stateChanged();
    void unsavedChangesChanged(bool on);

private:
    enum class PostResult { Stored, DuplicatePageTitle };
    // Posts a change made together with a file change; the undo puts the
    // file back when the post fails. The page stays in a pending edit.
    PostResult postWithFileChange(const std::function<void()>& undo);
    // Keeps what the slots hold before a slot change, for undoSlotChange().
    void rememberSlots(std::initializer_list<int> changedSlots);
    void forgetUndo() { undo_.clear(); }

    struct SlotContent {
        int slot;
        QString title;
        QByteArray picture;
    };
    std::vector<std::vector<SlotContent>> undo_;

    std::unique_ptr<store::Table> pages_;
    std::unique_ptr<store::Table> scratch_;
    bool unsavedChanges_ = false;
};

} // namespace core
