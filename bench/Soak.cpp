#include "Soak.h"

#include "Library.h"
#include "Operations.h"

#include "core/Library.h"
#include "core/Settings.h"
#include "game/Unit6.h"
#include "app/MessageBox.h"
#include "app/Program.h"
#include "app/Unit1.h"
#include "import/OpenDialog.h"
#include "settings/Unit5.h"
#include "store/ProgramDir.h"
#include "store/Records.h"
#include "store/Sqlite.h"
#include "store/Table.h"
#include "store/TableDef.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <random>
#include <stdexcept>

namespace bench {

namespace {

// The files the children import, beside the library; and the folder the
// children are given as the system's folder of temporary files.
QString sourcesDir(const QString& dir) { return dir + QStringLiteral("-sources"); }
QString temporaryDir(const QString& dir) { return dir + QStringLiteral("-tmp"); }

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void save(TForm1& form)
{
    app::MessageBox::setNextAnswer(app::MessageBox::Answer::Yes);
    form.bSaveClick();
}

// Opens the import's file dialog of an empty slot on the program directory
// with every file shown, waits until it has learnt the kind of each entry,
// runs `whileOpen` and cancels the dialog.
void withFileDialogOpen(TForm1& form, int slot, const QString& dir, const std::function<void()>& whileOpen)
{
    logoimport::OpenDialog::of(&form).setFileName(dir + QStringLiteral("/none.wad"));
    QTimer poll;
    poll.setInterval(5);
    bool allFiles = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* model = dialog ? dialog->findChild<QFileSystemModel*>() : nullptr;
        if (!model)
            return;
        if (!allFiles) {
            dialog->selectNameFilter(dialog->nameFilters().last());   // "All Files (*.*)"
            allFiles = true;
        }
        const QModelIndex folder = model->index(dir);
        if (model->rowCount(folder) == 0)
            return;
        for (int row = 0; row < model->rowCount(folder); ++row)
            if (model->type(model->index(row, 0, folder)).isEmpty())
                return;
        poll.stop();
        whileOpen();
        dialog->reject();
    });
    poll.start();
    form.InsertClick(slot);
}

} // namespace

int readLibrary(const QString& dir)
{
    store::Table table(store::logoTableDef());
    table.setDirectory(dir);
    table.open();
    const int pages = table.rowCount();
    table.close();
    return pages >= 0 ? 0 : 1;
}

int startOnce(const QString& dir)
{
    app::Program program;
    return startProgram(program, dir) ? 0 : 1;
}

int soakChild(const QString& dir, int seed)
{
    app::Program program;
    if (!startProgram(program, dir))
        return 1;
    TForm1& form = *program.mainWindow();
    form.settings().setWaitPosition(0);
    // Made by the soak before the first child: a kill cannot leave them half written.
    const QString chosen = sprayCopy(sourcesDir(dir));
    const QString picture = pictureCopy(sourcesDir(dir));
    for (int n = 0;; ++n) {
        const QString page = QStringLiteral("s%1_%2").arg(seed).arg(n);
        say(QStringLiteral("BEGIN PAGE %1").arg(page));
        form.bInsertClick();
        form.library().renamePage(page);
        save(form);
        say(QStringLiteral("DONE"));

        for (int slot = 1; slot <= 2; ++slot) {
            const QString logo = QStringLiteral("l%1_%2_%3").arg(seed).arg(n).arg(slot);
            say(QStringLiteral("BEGIN LOGO %1 %2 %3").arg(page).arg(slot).arg(logo));
            importLogo(form, slot, chosen, logo);
            say(QStringLiteral("DONE"));
        }

        // A file handed over by a second start goes to the first free slot.
        const QString handed = QStringLiteral("h%1_%2").arg(seed).arg(n);
        say(QStringLiteral("BEGIN HANDOVER %1 %2 %3").arg(page).arg(form.library().freeSlot()).arg(handed));
        handOverLogo(form, chosen, handed);
        say(QStringLiteral("DONE"));

        const QString made = QStringLiteral("m%1_%2").arg(seed).arg(n);
        say(QStringLiteral("BEGIN MAKELOGO %1 4 %2").arg(page, made));
        makeLogo(form, 4, picture, made);
        say(QStringLiteral("DONE"));

        // Another program reads the table while the file dialog is open;
        // what the program saves after must still survive a kill.
        say(QStringLiteral("BEGIN DIALOG %1").arg(page));
        withFileDialogOpen(form, 5, dir, [&dir] {
            if (QProcess::execute(QCoreApplication::applicationFilePath(), {QStringLiteral("soak-read"), dir}) != 0)
                std::fprintf(stderr, "the other reader could not read the table\n");
        });
        say(QStringLiteral("DONE"));

        const QString logo = QStringLiteral("n%1_%2").arg(seed).arg(n);
        say(QStringLiteral("BEGIN SLOTRENAME %1 1 %2").arg(page, logo));
        renameSlot(form, 1, logo);
        say(QStringLiteral("DONE"));

        say(QStringLiteral("BEGIN INSTALL %1 1").arg(page));
        form.DBImageClick(1);
        form.makeAllDialogs();
        form.findChild<TForm6*>()->hide();
        say(QStringLiteral("DONE"));

        const QString renamed = QStringLiteral("r%1_%2").arg(seed).arg(n);
        say(QStringLiteral("BEGIN RETITLE %1 %2").arg(page, renamed));
        form.library().edit();
        form.library().renamePage(renamed);
        save(form);
        say(QStringLiteral("DONE"));

        // Every other page goes again, with its logo wad files.
        if (n % 2 == 0 && form.library().pageTitle() == renamed) {
            say(QStringLiteral("BEGIN DELPAGE %1").arg(renamed));
            app::MessageBox::setNextAnswer(app::MessageBox::Answer::Yes);
            app::MessageBox::setNextAnswer(app::MessageBox::Answer::Yes);
            form.bDeleteClick();
            say(QStringLiteral("DONE"));
        }
    }
}

namespace {

// What the library must hold: pages by title, and their slots' logos.
struct Expected {
    QMap<QString, QMap<int, QString>> pages;   // title -> slot -> logo name
};

// One operation as the child announced it; `done` when its post returned.
struct Operation {
    QStringList words;
    bool done = false;
};

QList<Operation> parse(const QByteArray& output)
{
    QList<Operation> ops;
    for (const QByteArray& raw : output.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1String("BEGIN ")))
            ops.append({line.mid(6).split(QLatin1Char(' ')), false});
        else if (line == QLatin1String("DONE") && !ops.isEmpty())
            ops.last().done = true;
    }
    return ops;
}

// The operations that put a logo into a slot: page, slot and logo follow.
bool fillsSlot(const QString& word)
{
    return word == QLatin1String("LOGO") || word == QLatin1String("SLOTRENAME") || word == QLatin1String("HANDOVER")
           || word == QLatin1String("MAKELOGO");
}

void apply(Expected& e, const QStringList& w)
{
    if (w[0] == QLatin1String("PAGE"))
        e.pages[w[1]];
    else if (fillsSlot(w[0]))
        e.pages[w[1]][w[2].toInt()] = w[3];
    else if (w[0] == QLatin1String("RETITLE"))
        e.pages[w[2]] = e.pages.take(w[1]);
    else if (w[0] == QLatin1String("DELPAGE"))
        e.pages.remove(w[1]);
}

QMap<QString, QMap<int, QString>> storedPages(const QString& dir)
{
    for (const store::TableDef& def : {store::logoTableDef(), store::configTableDef(), store::switchTableDef()}) {
        store::SqliteDb db;
        db.open(dir + QLatin1Char('/') + def.fileName(), false);
        store::SqliteStmt check(db, QStringLiteral("PRAGMA integrity_check"));
        if (!check.step() || check.columnText(0) != QLatin1String("ok"))
            throw std::runtime_error(def.fileName().toStdString() + " fails the integrity check");
    }
    store::Table table(store::logoTableDef());
    table.setDirectory(dir);
    table.open();
    QMap<QString, QMap<int, QString>> pages;
    for (int row = 0; row < table.rowCount(); ++row) {
        table.moveTo(row);
        auto& fields = pages[table.text(store::LogoPage::PageTitle)];
        for (int n = 1; n <= store::LogoPage::kSlots; ++n)
            fields[n] = table.text(store::LogoPage::pictureTitle(n));
    }
    table.close();
    return pages;
}

QString gameDir(const QString& dir) { return dir + QStringLiteral("/game/cstrike"); }

// The game location of the library, where the soak installs its logos.
void setGameLocation(const QString& dir)
{
    QDir().mkpath(gameDir(dir));
    store::Table config(store::configTableDef());
    config.setDirectory(dir);
    config.open();
    config.edit();
    config.setText(store::ConfigRecord::Config, gameDir(dir));
    config.setText(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
    config.post();
    config.close();
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

using Pages = QMap<QString, QMap<int, QString>>;

// Empty when the library (its stored pages) holds what it must; otherwise
// what is wrong.
QString verify(const QString& dir, const Pages& stored, const Expected& before, const Expected& after, qint64 killed)
{
    // Each start sweeps the working copies of killed imports, so at most the
    // copy of the import just killed is there.
    for (const QString& name : QDir(dir).entryList({QStringLiteral("*.wad.part*")}, QDir::Files | QDir::Hidden))
        if (!name.contains(QStringLiteral(".part%1-").arg(killed)))
            return QStringLiteral("a working copy of an earlier import is left: %1").arg(name);
    // The installed logo is absent or a whole one: every install is a copy of the spray.
    const QString installed = gameDir(dir) + QStringLiteral("/pldecal.wad");
    if (QFileInfo::exists(installed)
        && fileBytes(installed) != fileBytes(QStringLiteral(TAGOMAT_FIXTURES_DIR "/spray-a.wad")))
        return QStringLiteral("pldecal.wad is not a whole logo");
    // Each install first clears what an earlier killed one left, so at most
    // the temporary file of the install just killed is there.
    const QStringList temporaries = QDir(gameDir(dir)).entryList({QStringLiteral("pldecal.wad.part*")}, QDir::Files | QDir::Hidden);
    if (temporaries.size() > 1)
        return QStringLiteral("stale temporary files pile up in the game folder: %1").arg(temporaries.join(QLatin1Char(' ')));
    // Every stored slot title names a logo wad file that exists.
    for (auto page = stored.begin(); page != stored.end(); ++page)
        for (auto slot = page->begin(); slot != page->end(); ++slot)
            if (!slot->isEmpty() && !QFileInfo::exists(store::logoWadPath(*slot)))
                return QStringLiteral("page %1 slot %2: %3.wad is missing").arg(page.key()).arg(slot.key()).arg(*slot);
    // Every page whose post returned is there with its logos; the operation
    // that the kill interrupted may have landed or not.
    auto holds = [&](const Expected& e) {
        for (auto page = e.pages.begin(); page != e.pages.end(); ++page) {
            if (!stored.contains(page.key()))
                return false;
            for (auto slot = page->begin(); slot != page->end(); ++slot)
                if (stored[page.key()].value(slot.key()) != *slot)
                    return false;
        }
        return true;
    };
    if (!holds(before) && !holds(after))
        return QStringLiteral("a page whose post had returned is missing or lost a logo");
    return QString();
}

// The logo wad files of the library that no stored slot names.
QStringList unnamedLogos(const QString& dir, const Pages& stored)
{
    QSet<QString> named;
    for (const auto& page : stored)
        for (const QString& title : page)
            named.insert(title + QStringLiteral(".wad"));
    QStringList unnamed;
    for (const QString& name : QDir(dir).entryList({QStringLiteral("*.wad")}, QDir::Files | QDir::Hidden))
        if (!named.contains(name))
            unnamed << name;
    return unnamed;
}

// Empty when the start after the kill has cleared what it left: nothing in
// the import's working folder, no temporary folder of the program in the
// system's, and no logo wad file that no slot names (but those that a kill
// in a page deletion or a logo rename may leave, listed in `tolerated`).
QString verifyAfterStart(const QString& dir, const Pages& stored, const QSet<QString>& tolerated)
{
    QStringList problems;
    const QStringList work = QDir(dir + QStringLiteral("/import-work"))
                                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (!work.isEmpty())
        problems << QStringLiteral("the start left the working folder with %1").arg(work.join(QLatin1Char(' ')));
    const QStringList temporaries = QDir(temporaryDir(dir)).entryList({QStringLiteral("Tagomat 2-*")}, QDir::AllEntries | QDir::Hidden);
    if (!temporaries.isEmpty())
        problems << QStringLiteral("temporary folders are left: %1").arg(temporaries.join(QLatin1Char(' ')));
    for (const QString& name : unnamedLogos(dir, stored))
        if (!tolerated.contains(name))
            problems << QStringLiteral("%1 lies in the program directory and no slot names it").arg(name);
    return problems.join(QStringLiteral("; "));
}

} // namespace

int soak(const QString& self, const QString& dir, int kills, unsigned seed)
{
    if (!QFileInfo::exists(dir + QStringLiteral("/LogoDB.db")))
        generateLibrary(dir, 10);
    setGameLocation(dir);
    store::setProgramDir(dir);
    QDir().mkpath(sourcesDir(dir));
    QDir().mkpath(temporaryDir(dir));
    sprayCopy(sourcesDir(dir));
    pictureCopy(sourcesDir(dir));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TMPDIR"), temporaryDir(dir));
    // A start after each kill, as the user's next one: it settles and sweeps.
    const auto startOnceMore = [&] {
        QProcess start;
        start.setProcessEnvironment(env);
        start.start(self, {QStringLiteral("soak-start"), dir});
        if (!start.waitForFinished(60000) || start.exitCode() != 0)
            throw std::runtime_error("the program did not start after the kill");
    };
    // Logo files no slot names before the first kill, and those a kill in
    // a page deletion or a logo rename leaves (the row and the file change
    // are two steps there), are not the imports' doing.
    QSet<QString> tolerated;
    for (const QString& name : unnamedLogos(dir, storedPages(dir)))
        tolerated.insert(name);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delay(0, 700);
    std::uniform_int_distribution<int> inOperation(0, 60);
    Expected expected;
    int failures = 0;
    int operations = 0;
    int pageDeletions = 0;
    QMap<QString, int> killedIn;   // by the operation the kill interrupted
    for (int k = 0; k < kills; ++k) {
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(self, {QStringLiteral("soak-child"), dir, QString::number(k)});
        if (!child.waitForStarted())
            throw std::runtime_error("the soak child did not start");
        int ms = delay(random);
        QByteArray output;
        // Every second kill lands in a hand-over import or in Make logo, which
        // a random moment seldom hits: within moments of its beginning.
        const char* aimedAt = k % 4 == 1 ? "BEGIN HANDOVER" : k % 4 == 3 ? "BEGIN MAKELOGO" : nullptr;
        if (aimedAt) {
            QElapsedTimer waited;
            waited.start();
            while (!output.contains(aimedAt) && waited.elapsed() < 20000 && child.state() == QProcess::Running) {
                child.waitForReadyRead(100);
                output += child.readAllStandardOutput();
            }
            ms = inOperation(random);
        }
        // The kill moment is the point: the child runs until then, or ends.
        child.waitForFinished(ms);
        const qint64 killed = child.processId();
        child.kill();
        child.waitForFinished();
        output += child.readAllStandardOutput();
        const QList<Operation> ops = parse(output);
        Expected after = expected;
        for (const Operation& op : ops) {
            if (op.done)
                apply(expected, op.words);
            apply(after, op.words);
            operations += op.done;
            pageDeletions += op.words[0] == QLatin1String("DELPAGE");
        }
        if (!ops.isEmpty() && ops.last().done)
            after = expected;
        ++killedIn[ops.isEmpty() ? QStringLiteral("START") : ops.last().done ? QStringLiteral("between") : ops.last().words[0]];
        QString problem;
        Pages stored;
        try {
            stored = storedPages(dir);
            problem = verify(dir, stored, expected, after, killed);
            if (problem.isEmpty()) {
                startOnceMore();
                stored = storedPages(dir);
                const QString killedIn = ops.isEmpty() || ops.last().done ? QString() : ops.last().words[0];
                if (killedIn == QLatin1String("DELPAGE") || killedIn == QLatin1String("SLOTRENAME"))
                    for (const QString& name : unnamedLogos(dir, stored))
                        tolerated.insert(name);
                problem = verifyAfterStart(dir, stored, tolerated);
            }
        } catch (const std::exception& e) {
            problem = QString::fromUtf8(e.what());
        }
        if (!problem.isEmpty()) {
            ++failures;
            std::fprintf(stderr, "kill %d after %d ms: %s\n", k + 1, ms, qPrintable(problem));
        }
        // The library now holds the interrupted operation or not; go on from
        // what is stored.
        if (!ops.isEmpty() && !ops.last().done && problem.isEmpty()) {
            bool landed = true;
            const QStringList& w = ops.last().words;
            if (w[0] == QLatin1String("PAGE"))
                landed = stored.contains(w[1]);
            else if (fillsSlot(w[0]))
                landed = stored.value(w[1]).value(w[2].toInt()) == w[3];
            else if (w[0] == QLatin1String("RETITLE"))
                landed = stored.contains(w[2]);
            else if (w[0] == QLatin1String("DELPAGE"))
                landed = !stored.contains(w[1]);
            if (landed)
                expected = after;
        }
    }
    std::printf("soak: %d kills, %d completed operations (%d page deletions begun), %d failures\n", kills, operations,
                pageDeletions, failures);
    QStringList moments;
    for (auto it = killedIn.begin(); it != killedIn.end(); ++it)
        moments << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    std::printf("soak: killed in %s\n", qPrintable(moments.join(QStringLiteral(", "))));
    std::printf("BENCH soak_kills %d count\nBENCH soak_failures %d count\n", kills, failures);
    return failures == 0 ? 0 : 1;
}

} // namespace bench
