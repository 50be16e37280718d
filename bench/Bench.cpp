// The benchmark of Tagomat 2: start-up, paging, saving and importing against
// libraries of 10 and 1,000 pages, on Qt's offscreen platform.
//
//   tagomat2-bench run [--runs R] [--work DIR] [--only side-by-side|formats|collection]
//                                                 all figures (or only the part named), a
//                                                 table and BENCH lines
//   tagomat2-bench batch DIR PACK                 (child) import the pack, report
//   tagomat2-bench find DIR                       (child) time the find field
//   tagomat2-bench generate DIR PAGES             lay out a library
//   tagomat2-bench operations DIR KIND COUNT      (child) time moves, posts or imports
//   tagomat2-bench soak [--fresh] DIR KILLS       kill the program KILLS times, check the library
//   tagomat2-bench soak-child DIR SEED            (child) posts, imports and renames until killed
//   tagomat2-bench soak-start DIR                 (child) starts the program once after a kill
//   tagomat2-bench soak-read DIR                  (the child's other program) reads the table

#include "Collection.h"
#include "Library.h"
#include "LogoBench.h"
#include "Operations.h"
#include "Soak.h"

#include "app/MessageBox.h"
#include "app/Program.h"
#include "core/Library.h"
#include "core/Settings.h"
#include "app/Unit1.h"
#include "store/ProgramDir.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Startup {
    double ms;
    double rssMb;
};

// Starts `program` with `args` in `cwd` (the current one when empty) and
// times it up to its "SHOWN" line.
Startup timeShown(const QString& program, const QStringList& args, const QString& cwd = QString())
{
    QProcess child;
    if (!cwd.isEmpty())
        child.setWorkingDirectory(cwd);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    child.start(program, args);
    child.waitForStarted();
    QByteArray line;
    while (!line.contains('\n') && child.waitForReadyRead(30000))
        line += child.readAllStandardOutput();
    const double ms = timer.nsecsElapsed() / 1e6;
    child.waitForFinished(30000);
    if (!line.startsWith("SHOWN "))
        throw std::runtime_error("the start-up child failed: " + child.readAllStandardError().toStdString());
    return {ms, line.mid(6).trimmed().toDouble() / 1024.0};
}

// The program's start-up, through tagomat2-bench-startup beside the benchmark.
Startup timeStartup(const QString& self, const QString& dir, const QString& cwd = QString())
{
    return timeShown(QFileInfo(self).absolutePath() + QStringLiteral("/tagomat2-bench-startup"), {dir}, cwd);
}

// Runs a child and gives its "T" lines; `lines` gets all it printed.
std::vector<double> runChild(const QString& self, const QStringList& args, QList<QByteArray>* lines = nullptr)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start(self, args);
    child.waitForFinished(600000);
    std::vector<double> values;
    const QList<QByteArray> out = child.readAllStandardOutput().split('\n');
    for (const QByteArray& l : out)
        if (l.startsWith("T "))
            values.push_back(l.mid(2).toDouble());
    if (values.empty())
        throw std::runtime_error(args.join(' ').toStdString() + ": the child measured nothing: "
                                 + child.readAllStandardError().toStdString());
    if (lines)
        *lines = out;
    return values;
}

std::vector<double> timeOperations(const QString& self, const QString& dir, const QString& kind, int count)
{
    return runChild(self, {QStringLiteral("operations"), dir, kind, QString::number(count)});
}

QString ensureLibrary(const QString& work, int pages)
{
    const QString dir = work + QStringLiteral("/library%1").arg(pages);
    const QString marker = dir + QStringLiteral("/.complete");
    if (!QFileInfo::exists(marker)) {
        QDir(dir).removeRecursively();
        std::fprintf(stderr, "laying out a library of %d pages in %s\n", pages, qPrintable(dir));
        bench::generateLibrary(dir, pages);
        QFile f(marker);
        f.open(QIODevice::WriteOnly);
    }
    return dir;
}

struct Figure {
    QString name;
    double value;
    QString unit;
};

// Start-up against the bare Qt program of the same build, in turn, at 10 and
// 10,000 pages, started from elsewhere and from inside the program
// directory; imports at both sizes.
void sideBySide(const QString& self, const QString& work, int runs, std::vector<Figure>& figures)
{
    const QString bare = QFileInfo(self).absolutePath() + QStringLiteral("/tagomat2-bare");
    const QString elsewhere = QDir::tempPath();
    std::vector<double> bareMs, bareRss;
    timeShown(bare, {}, elsewhere);
    for (int pages : {10, 10000}) {
        const QString dir = ensureLibrary(work, pages);
        for (const QString& cwd : {elsewhere, dir}) {
            std::vector<double> ours, oursRss, theirs;
            timeStartup(self, dir, cwd);
            for (int r = 0; r < runs; ++r) {
                const Startup b = timeShown(bare, {}, cwd);
                const Startup s = timeStartup(self, dir, cwd);
                theirs.push_back(b.ms);
                bareMs.push_back(b.ms);
                bareRss.push_back(b.rssMb);
                ours.push_back(s.ms);
                oursRss.push_back(s.rssMb);
            }
            const QString suffix = QStringLiteral("_%1").arg(pages) + (cwd == dir ? QStringLiteral("_in_dir") : QString());
            figures.push_back({QStringLiteral("startup_shown") + suffix, median(ours), QStringLiteral("ms")});
            figures.push_back({QStringLiteral("startup_rss") + suffix, median(oursRss), QStringLiteral("MiB")});
            figures.push_back({QStringLiteral("startup_ratio") + suffix, median(ours) / median(theirs), QStringLiteral("x")});
        }
        try {
            figures.push_back({QStringLiteral("import_%1").arg(pages), median(timeOperations(self, dir, "import", 21)),
                               QStringLiteral("ms")});
        } catch (const std::exception& e) {
            std::fprintf(stderr, "import not measured: %s\n", e.what());
        }
    }
    figures.push_back({QStringLiteral("bare_qt_shown"), median(bareMs), QStringLiteral("ms")});
    figures.push_back({QStringLiteral("bare_qt_rss"), median(bareRss), QStringLiteral("MiB")});

    // The bare program with the main window's five faces: the floor under
    // the start-up ratio that the window's look sets by itself.
    std::vector<double> plain, faces;
    for (int r = 0; r < runs; ++r) {
        plain.push_back(timeShown(bare, {}, elsewhere).ms);
        faces.push_back(timeShown(bare, {QStringLiteral("--fonts")}, elsewhere).ms);
    }
    figures.push_back({QStringLiteral("bare_qt_fonts_ratio"), median(faces) / median(plain), QStringLiteral("x")});
}

int runAll(const QStringList& args)
{
    int runs = 11;
    QString only;
    QString work = QDir::currentPath() + QStringLiteral("/bench-work");
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size())
            runs = args[++i].toInt();
        else if (args[i] == QLatin1String("--work") && i + 1 < args.size())
            work = args[++i];
        else if (args[i] == QLatin1String("--only") && i + 1 < args.size())
            only = args[++i];   // "side-by-side", "formats" or "collection": that part alone
    }
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<Figure> figures;
    for (int pages : {10, 1000}) {
        if (!only.isEmpty())
            break;
        const QString dir = ensureLibrary(work, pages);
        std::vector<double> startups, rss;
        timeStartup(self, dir);   // a warm-up: the file cache holds the program then
        for (int r = 0; r < runs; ++r) {
            const Startup s = timeStartup(self, dir);
            startups.push_back(s.ms);
            rss.push_back(s.rssMb);
        }
        const QString suffix = QStringLiteral("_%1").arg(pages);
        figures.push_back({QStringLiteral("startup") + suffix, median(startups), QStringLiteral("ms")});
        figures.push_back({QStringLiteral("move") + suffix, median(timeOperations(self, dir, "move", 200)), QStringLiteral("ms")});
        figures.push_back({QStringLiteral("post") + suffix, median(timeOperations(self, dir, "post", 60)), QStringLiteral("ms")});
        figures.push_back({QStringLiteral("rss") + suffix, median(rss), QStringLiteral("MiB")});
        if (pages == 10) {
            try {
                figures.push_back({QStringLiteral("import"), median(timeOperations(self, dir, "import", 21)), QStringLiteral("ms")});
            } catch (const std::exception& e) {
                std::fprintf(stderr, "import not measured: %s\n", e.what());
            }
        }
    }
    if (only.isEmpty() || only == QLatin1String("side-by-side"))
        sideBySide(self, work, runs, figures);
    if (only.isEmpty() || only == QLatin1String("collection")) {
        // 1,000 spray WADs into a fresh library, three times.
        const QString pack = work + QStringLiteral("/pack1000");
        bench::layOutPack(pack, 1000);
        std::vector<double> times, growth;
        for (int r = 0; r < 3; ++r) {
            const QString dir = work + QStringLiteral("/batch-library");
            QDir(dir).removeRecursively();
            bench::generateLibrary(dir, 0);
            QList<QByteArray> lines;
            times.push_back(runChild(self, {QStringLiteral("batch"), dir, pack}, &lines).front());
            double tenth = 0, end = 0;
            for (const QByteArray& l : lines) {
                if (l.startsWith("RSS tenth "))
                    tenth = l.mid(10).toDouble();
                else if (l.startsWith("RSS end "))
                    end = l.mid(8).toDouble();
            }
            growth.push_back((end - tenth) / 1024.0);
        }
        figures.push_back({QStringLiteral("batch_import_1000"), median(times) / 1000.0, QStringLiteral("s")});
        figures.push_back({QStringLiteral("batch_rss_growth"), median(growth), QStringLiteral("MiB")});
        // The find field among 10,000 pages.
        const QString findDir = work + QStringLiteral("/find10000");
        if (!QFileInfo::exists(findDir + QStringLiteral("/.complete"))) {
            QDir(findDir).removeRecursively();
            std::fprintf(stderr, "laying out a library of 10000 pages in %s\n", qPrintable(findDir));
            bench::generateFindLibrary(findDir, 10000);
            QFile(findDir + QStringLiteral("/.complete")).open(QIODevice::WriteOnly);
        }
        runChild(self, {QStringLiteral("find"), findDir});   // a warm-up: the text index is made once
        figures.push_back({QStringLiteral("find_10000"), median(runChild(self, {QStringLiteral("find"), findDir})),
                           QStringLiteral("ms")});
    }
    QTextStream out(stdout);
    out << QStringLiteral("%1 %2\n").arg(QStringLiteral("figure"), -14).arg(QStringLiteral("median"), 12);
    for (const Figure& f : figures)
        out << QStringLiteral("%1 %2 %3\n").arg(f.name, -14).arg(f.value, 12, 'f', 3).arg(f.unit);
    for (const Figure& f : figures)
        out << QStringLiteral("BENCH %1 %2 %3\n").arg(f.name).arg(f.value, 0, 'f', 3).arg(f.unit);
    if (only.isEmpty())
        bench::benchLogo2wad(QStringLiteral(TAGOMAT_BUILT_PROGRAM_DIR), work + QStringLiteral("/logo2wad"), out);
    if (only.isEmpty() || only == QLatin1String("formats"))
        bench::benchLogoFormats(QStringLiteral(TAGOMAT_BUILT_PROGRAM_DIR), work + QStringLiteral("/formats"), out);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && (std::string(argv[1]) == "operations"
                      || std::string(argv[1]) == "batch" || std::string(argv[1]) == "find"
                      || std::string(argv[1]) == "soak-child" || std::string(argv[1]) == "soak-start"
                      || std::string(argv[1]) == "soak"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tagomat 2"));
    const QStringList args = QApplication::arguments().mid(1);
    try {
        if (args.size() == 3 && args[0] == QLatin1String("generate")) {
            bench::generateLibrary(args[1], args[2].toInt());
            return 0;
        }
        if (args.size() == 4 && args[0] == QLatin1String("operations"))
            return bench::operationsChild(args[1], args[2], args[3].toInt());
        if (args.size() == 3 && args[0] == QLatin1String("batch"))
            return bench::batchChild(args[1], args[2]);
        if (args.size() == 2 && args[0] == QLatin1String("find"))
            return bench::findChild(args[1]);
        if (args.size() == 2 && args[0] == QLatin1String("soak-read"))
            return bench::readLibrary(args[1]);
        if (args.size() == 2 && args[0] == QLatin1String("soak-start"))
            return bench::startOnce(args[1]);
        if (args.size() == 3 && args[0] == QLatin1String("soak-child"))
            return bench::soakChild(args[1], args[2].toInt());
        if ((args.size() == 3 || args.size() == 4) && args[0] == QLatin1String("soak")) {
            const bool fresh = args[1] == QLatin1String("--fresh");
            const QString dir = args[fresh ? 2 : 1];
            if (fresh)
                for (const QString& folder : {dir, dir + QStringLiteral("-sources"), dir + QStringLiteral("-tmp")})
                    QDir(folder).removeRecursively();
            return bench::soak(QCoreApplication::applicationFilePath(), dir, args[fresh ? 3 : 2].toInt(), 20261208u);
        }
        if ((args.size() == 2 || args.size() == 3) && args[0] == QLatin1String("logo2wad")) {
            QTextStream out(stdout);
            // A third argument measures the logo2wad of another build.
            bench::benchLogo2wad(args.size() == 3 ? args[2] : QStringLiteral(TAGOMAT_BUILT_PROGRAM_DIR), args[1], out);
            return 0;
        }
        if (!args.isEmpty() && args[0] == QLatin1String("run"))
            return runAll(args.mid(1));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tagomat2-bench: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: tagomat2-bench run [--runs R] [--work DIR] [--only side-by-side|formats|collection] | generate DIR PAGES | soak [--fresh] DIR KILLS"
                         " | logo2wad DIR [PROGRAM_DIR]\n");
    return 2;
}
