#include "Library.h"

#include "files/FileOps.h"
#include "formats/Bmp.h"
#include "store/LibraryMerge.h"
#include "store/PictureField.h"
#include "store/ProgramDir.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <vector>

using store::LogoPage::PageTitle;
using store::LogoPage::picture;
using store::LogoPage::pictureTitle;

namespace core {

namespace {

// The logo wad files a page names. Every title is checked before any file
// is touched, so a title that leaves the program directory stops the
// command with nothing changed.
QStringList logoWadFilesOf(const store::Table& pages)
{
    QStringList paths;
    for (int n = 1; n <= store::LogoPage::kSlots; ++n)
        paths << store::checkedLogoWadPath(pages.text(pictureTitle(n)));
    return paths;
}

// The files go only after the rows that named them are stored as deleted:
// a failed delete keeps page and logos, a kill in between leaves at worst
// files that no page names.
void removeFiles(const QStringList& paths)
{
    for (const QString& path : paths)
        QFile::remove(path);   // a missing file is no error
}

// The errors a rename gets for the new name itself: taken, too long or not
// a valid file name.
bool isNameProblem(int error)
{
    return error == EEXIST || error == ENOTEMPTY || error == ENAMETOOLONG || error == EINVAL || error == EILSEQ;
}

} // namespace

Library::Library(QObject* parent)
    : QObject(parent),
      pages_(std::make_unique<store::Table>(store::logoTableDef())),
      scratch_(std::make_unique<store::Table>(store::switchTableDef()))
{
    connect(pages_.get(), &store::Table::updateRecord, this, &Library::updateRecord);
    connect(pages_.get(), &store::Table::fieldChanged, this, &Library::fieldChanged);
    connect(pages_.get(), &store::Table::listChanged, this, &Library::pageListChanged);
    connect(pages_.get(), &store::Table::stateChanged, this, &Library::stateChanged);
}

Library::~Library() = default;

void Library::open(const QString& dir)
{
    for (store::Table* table : {pages_.get(), scratch_.get()}) {
        table->close();
        table->setDirectory(dir);
        table->setFileName(table->def().fileName());
        table->open();
    }
    pages_->indexTexts();   // titles are read and searched without the pictures
    setUnsavedChanges(false);
    forgetUndo();
}

void Library::close()
{
    pages_->close();
    scratch_->close();
}

QString Library::pageTitle() const { return pages_->text(PageTitle); }
QString Library::slotTitle(int slot) const { return pages_->text(pictureTitle(slot)); }
QByteArray Library::slotPicture(int slot) const { return pages_->picture(picture(slot)); }

QStringList Library::slotDamage(int slot) const
{
    QStringList reasons;
    if (pages_->isDamaged(pictureTitle(slot)))
        reasons << QStringLiteral("damaged title: longer than %1 characters").arg(store::LogoPage::kTitleWidth);
    if (pages_->isDamaged(picture(slot)))
        reasons << QStringLiteral("damaged picture: larger than %1 MiB").arg(store::kMaxPictureFieldBytes / (1024 * 1024));
    return reasons;
}

bool Library::pageTitleDamaged() const { return pages_->isDamaged(PageTitle); }

int Library::freeSlot() const
{
    for (int n = 1; n <= store::LogoPage::kSlots; ++n)
        if (slotTitle(n).isEmpty())
            return n;
    return 0;
}

int Library::listCount() const { return pages_->listCount(); }
QString Library::listKey(int line) const { return pages_->listKey(line); }
int Library::currentListRow() const { return pages_->currentListRow(); }
bool Library::isAddingPage() const { return pages_->state() == store::Table::State::Insert; }
bool Library::isEditing() const { return pages_->isEditing(); }
bool Library::isEmpty() const { return pages_->isEmpty(); }
int Library::pageCount() const { return pages_->rowCount(); }

QStringList Library::storedSlotTitles() const
{
    QVector<int> fields;
    for (int n = 1; n <= store::LogoPage::kSlots; ++n)
        fields << pictureTitle(n);
    return pages_->storedTexts(fields);
}

void Library::setUnsavedChanges(bool on)
{
    if (unsavedChanges_ == on)
        return;
    unsavedChanges_ = on;
    emit unsavedChangesChanged(on);
}

void Library::edit() { pages_->edit(); }
void Library::post() { pages_->post(); }

void Library::store()
{
    pages_->edit();
    pages_->post();
}

// A move forgets the undo history only once it has happened: a move refused
// by a duplicate title stays on the page and its changes.
void Library::first()
{
    pages_->first();
    forgetUndo();
}

void Library::prior()
{
    pages_->prior();
    forgetUndo();
}

void Library::next()
{
    pages_->next();
    forgetUndo();
}

void Library::last()
{
    pages_->last();
    forgetUndo();
}

void Library::moveToListRow(int line)
{
    pages_->moveToListRow(line);
    forgetUndo();
}

void Library::refresh()
{
    pages_->refresh();
    forgetUndo();
}

void Library::addPage()
{
    forgetUndo();
    setUnsavedChanges(true);
    pages_->insert();
    pages_->setText(PageTitle, QStringLiteral("NEW"));
}

Library::DeleteResult Library::deletePage(bool withFiles)
{
    if (pages_->isEmpty() && !isAddingPage())
        return DeleteResult::NothingToDelete;
    const QStringList paths = withFiles ? logoWadFilesOf(*pages_) : QStringList();
    pages_->deleteRecord();   // an engine error goes on to the caller, the files stay
    forgetUndo();
    removeFiles(paths);
    return DeleteResult::Deleted;
}

void Library::deleteAllPages(bool withFiles)
{
    QStringList paths;
    if (withFiles) {
        pages_->first();
        const int n = pages_->rowCount();
        for (int i = 0; i < n; ++i) {
            paths << logoWadFilesOf(*pages_);
            pages_->next();
        }
    }
    pages_->close();
    try {
        pages_->emptyTable();
    } catch (...) {
        pages_->open();
        throw;
    }
    pages_->open();
    forgetUndo();
    removeFiles(paths);
}

void Library::save()
{
    pages_->edit();
    pages_->post();
    setUnsavedChanges(false);
    forgetUndo();
}

void Library::cancel()
{
    pages_->cancel();
    forgetUndo();
    pages_->refresh();
}

bool Library::setPageTitle(const QString& title)
{
    if (title == pageTitle())
        return false;
    pages_->edit();
    pages_->setText(PageTitle, title);
    setUnsavedChanges(true);
    return true;
}

void Library::setSlot(int slot, const QString& title, const QByteArray& pictureBytes)
{
    pages_->edit();
    rememberSlots({slot});
    pages_->setPicture(picture(slot), pictureBytes);
    pages_->setText(pictureTitle(slot), title);
}

QByteArray Library::blankPicture(const QString& path)
{
    const std::string file = path.toStdString();
    const std::vector<std::uint8_t> bytes = files::readAll(file, files::kMaxPictureFileBytes);
    try {
        return store::pictureFromRgb(formats::decodeBmp(bytes.data(), bytes.size()));
    } catch (const formats::FormatError& e) {
        throw files::FileError(file + ": " + e.what());
    }
}

Library::PostResult Library::postWithFileChange(const std::function<void()>& undo)
{
    try {
        pages_->post();
    } catch (const store::EngineError& e) {
        undo();
        if (!store::isKeyViolation(e))
            throw;   // a locked or full table file: the caller reports why
        return PostResult::DuplicatePageTitle;
    } catch (...) {
        undo();
        throw;
    }
    pages_->edit();   // the page stays in a pending edit, as after any slot command
    return PostResult::Stored;
}

Library::EmptyResult Library::emptySlot(int slot, bool withFile, const QString& blankPath)
{
    EmptyResult result;
    result.title = slotTitle(slot);
    // A title that names no plain file still leaves the slot; only its file
    // is out of reach.
    result.titleNamesNoFile = !store::titleNamesFile(result.title);
    if (!result.titleNamesNoFile)
        result.file = store::logoWadPath(result.title);
    const QByteArray blank = blankPicture(blankPath);   // a file error stops the command here
    pages_->edit();
    rememberSlots({slot});
    pages_->setPicture(picture(slot), blank);
    pages_->setText(pictureTitle(slot), QString());
    if (!withFile)
        return result;
    if (result.titleNamesNoFile) {
        result.fileKept = true;
        return result;
    }
    const std::string file = result.file.toStdString();
    // The cleared slot is stored before its file goes, so that cancelling
    // the page's changes cannot bring back a title naming a deleted file.
    // When the page cannot be stored the file stays.
    bool stored = true;
    if (files::exists(file)) {
        stored = postWithFileChange([] {}) == PostResult::Stored;
        result.duplicatePageTitle = !stored;
    }
    result.fileKept = !stored || !files::removeFile(file);
    return result;
}

void Library::exchangeSlots(int source, int target)
{
    using store::SwitchRecord::TempImage;
    using store::SwitchRecord::TempImageTitle;
    pages_->edit();
    scratch_->edit();
    scratch_->setPicture(TempImage, pages_->picture(picture(target)));
    scratch_->setText(TempImageTitle, pages_->text(pictureTitle(target)));
    if (source == target)
        return;
    rememberSlots({source, target});
    pages_->setPicture(picture(target), pages_->picture(picture(source)));
    pages_->setText(pictureTitle(target), pages_->text(pictureTitle(source)));
    pages_->setPicture(picture(source), scratch_->picture(TempImage));
    pages_->setText(pictureTitle(source), scratch_->text(TempImageTitle));
    setUnsavedChanges(true);
}

Library::RenameResult Library::renameLogo(int slot, const QString& name, QString* reason)
{
    const int titleField = pictureTitle(slot);
    const QString oldTitle = pages_->text(titleField);
    const std::string oldPath = store::checkedLogoWadPath(oldTitle).toStdString();
    const std::string newPath = store::checkedLogoWadPath(name).toStdString();
    // The file gets its new name beside the old one, and loses the old one
    // only once the new title is stored: a crash in between leaves a title
    // that names an existing file, whichever title was stored.
    bool bothNames = false;
    try {
        bothNames = files::addNameNoReplace(oldPath, newPath);
    } catch (const files::FileError& e) {
        // A full disk, a missing file or a refused write: another name would not help.
        if (!oldTitle.isEmpty() && !isNameProblem(e.code()))
            *reason = QString::fromUtf8(e.what());
        return RenameResult::NameRefused;
    }
    pages_->setText(titleField, name);
    const PostResult stored = postWithFileChange([&] {
        try {
            if (bothNames)
                files::removeFile(newPath);
            else
                files::renameNoReplace(newPath, oldPath);
            pages_->setText(titleField, oldTitle);
        } catch (const files::FileError&) {
            // The file keeps its new name, and so does the slot.
        }
    });
    if (stored != PostResult::Stored)
        return RenameResult::DuplicatePageTitle;
    if (bothNames)
        files::removeFile(oldPath);
    forgetUndo();   // earlier steps may name the old file
    return RenameResult::Renamed;
}

void Library::renamePage(const QString& name) { pages_->setText(PageTitle, name); }

bool Library::pageTitleTaken(const QString& title) const
{
    const QString kept = title.left(store::LogoPage::kTitleWidth);
    const int current = currentListRow();
    for (int line = 0; line < listCount(); ++line)
        if (line != current && listKey(line) == kept)
            return true;
    return false;
}

void Library::rememberSlots(std::initializer_list<int> changedSlots)
{
    std::vector<SlotContent> step;
    for (int slot : changedSlots)
        step.push_back({slot, slotTitle(slot), slotPicture(slot)});
    undo_.push_back(std::move(step));
}

Library::UndoResult Library::undoSlotChange(QString* goneTitle)
{
    if (undo_.empty())
        return UndoResult::NothingToUndo;
    const std::vector<SlotContent> step = std::move(undo_.back());
    undo_.pop_back();
    for (const SlotContent& content : step) {
        if (content.title.isEmpty() || !store::titleNamesFile(content.title))
            continue;
        if (!files::exists(store::logoWadPath(content.title).toStdString())) {
            if (goneTitle)
                *goneTitle = content.title;
            return UndoResult::FileGone;
        }
    }
    pages_->edit();
    for (const SlotContent& content : step) {
        pages_->setPicture(picture(content.slot), content.picture);
        pages_->setText(pictureTitle(content.slot), content.title);
    }
    setUnsavedChanges(true);
    return UndoResult::Undone;
}

QStringList Library::unlistedLogos() const
{
    QStringList titles;
    const QDir dir(store::programDir());
    const QStringList names = dir.entryList({QStringLiteral("*.wad")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        if (!name.endsWith(QLatin1String(".wad")))   // the filter ignores case
            continue;
        const QString title = name.chopped(4);
        if (title.isEmpty() || !store::titleNamesFile(title) || namesLogoFile(store::logoWadPath(title)))
            continue;
        titles << title;
    }
    return titles;
}

Library::RemoveResult Library::removeLogoFile(const QString& title)
{
    if (title.isEmpty() || !store::titleNamesFile(title))
        return RemoveResult::NoFileName;
    const QString path = store::logoWadPath(title);
    if (namesLogoFile(path))
        return RemoveResult::StillNamed;
    return files::removeFile(path.toStdString()) ? RemoveResult::Removed : RemoveResult::Failed;
}

void Library::storeScratch()
{
    scratch_->edit();
    scratch_->post();
}

Library::MergeSummary Library::importLibrary(const QString& folder)
{
    const store::MergeReport report = store::mergeLibrary(folder, *pages_, store::programDir());
    return {report.pages, report.renamed + report.problems};
}

bool Library::isScratchPending() const { return scratch_->isEditing(); }
QString Library::scratchTitle() const { return scratch_->text(store::SwitchRecord::TempImageTitle); }
QByteArray Library::scratchPicture() const { return scratch_->picture(store::SwitchRecord::TempImage); }

bool Library::namesLogoFile(const QString& path) const
{
    QStringList titles = storedSlotTitles();
    if (pages_->isEditing())
        for (int n = 1; n <= store::LogoPage::kSlots; ++n)
            titles << slotTitle(n);
    for (const QString& title : titles)
        if (!title.isEmpty() && store::logoWadPath(title) == path)
            return true;
    return false;
}

QList<Library::Found> Library::find(const QString& part, int limit) const
{
    QVector<int> fields{PageTitle};
    for (int n = 1; n <= store::LogoPage::kSlots; ++n)
        fields << pictureTitle(n);
    QList<Found> found;
    for (const store::Table::Match& match : pages_->findTexts(fields, part, limit)) {
        bool slotFound = false;
        for (int n = 1; n <= store::LogoPage::kSlots; ++n) {
            const QString& title = match.texts[n];
            if (title.contains(part, Qt::CaseInsensitive)) {
                found << Found{match.key, n, title};
                slotFound = true;
            }
        }
        if (!slotFound)
            found << Found{match.key, 0, match.key};
    }
    return found;
}

bool Library::goToPage(const QString& title)
{
    for (int line = 0; line < pages_->listCount(); ++line)
        if (pages_->listKey(line) == title) {
            pages_->moveToListRow(line);   // found again by its title once the pending edit is posted
            return pageTitle() == title;
        }
    return false;
}

bool Library::hasPageTitled(const QString& title) const
{
    for (int line = 0; line < pages_->listCount(); ++line)
        if (pages_->listKey(line) == title)
            return true;
    return false;
}

QString Library::freePageTitle(const QString& base) const
{
    const int width = store::logoTableDef().fields[PageTitle].width;
    QString name = base.simplified();
    for (QChar& c : name)
        if (c.unicode() > 0xff || c.unicode() < 0x20)
            c = QLatin1Char('_');   // single-byte text, as the field keeps it
    for (int n = 1;; ++n) {
        const QString number = QStringLiteral(" %1").arg(n);
        const QString title = name.left(width - number.size()) + number;
        if (!hasPageTitled(title))
            return title;
    }
}

int Library::nextFreeSlotAddingPage(const QString& pageBase)
{
    pages_->edit();
    if (isAddingPage() && pageTitle().isEmpty())
        pages_->setText(PageTitle, freePageTitle(pageBase));   // the first page of an empty library
    if (const int slot = freeSlot())
        return slot;
    pages_->post();
    const QString title = freePageTitle(pageBase);
    pages_->insert();
    pages_->setText(PageTitle, title);
    setUnsavedChanges(true);
    return 1;
}

} // namespace core
