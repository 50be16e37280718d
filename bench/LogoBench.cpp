#include "LogoBench.h"

#include "files/FileOps.h"
#include "formats/Wad3.h"
#include "makelogo/MakeLogoDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {
namespace {

// A photograph-like scene: sky, hills, sun, and sensor noise.
QImage photograph(int width = 1920, int height = 1080)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.scale(width / 1920.0, height / 1080.0);
    QLinearGradient sky(0, 0, 0, 700);
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(1, QColor(230, 190, 150));
    p.fillRect(QRect(0, 0, 1920, 1080), sky);
    QRadialGradient sun(1400, 300, 160);
    sun.setColorAt(0, QColor(255, 250, 210));
    sun.setColorAt(1, QColor(255, 200, 120, 0));
    p.setBrush(sun);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(1400, 300), 160, 160);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 4; ++i) {
        QPainterPath hill;
        hill.moveTo(0, 1080);
        for (int x = 0; x <= 1920; x += 40)
            hill.lineTo(x, 620 + 90 * i + 60 * std::sin(x / (180.0 + 70 * i) + i));
        hill.lineTo(1920, 1080);
        p.setBrush(QColor(30 + 25 * i, 90 + 30 * i, 40 + 10 * i));
        p.drawPath(hill);
    }
    p.end();
    QRandomGenerator noise(7);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(noise.bounded(17)) - 8;
            line[x] = qRgb(std::clamp(qRed(line[x]) + n, 0, 255), std::clamp(qGreen(line[x]) + n, 0, 255),
                           std::clamp(qBlue(line[x]) + n, 0, 255));
        }
    }
    return image;
}

// A drawing with transparency: flat shapes with outlines on nothing.
QImage drawing()
{
    QImage image(512, 512, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 10));
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(QRect(56, 56, 400, 400));
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QRect(170, 170, 50, 70));
    p.drawEllipse(QRect(292, 170, 50, 70));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(150, 200, 212, 180), 200 * 16, 140 * 16);
    p.setBrush(QColor(220, 60, 60));
    p.drawRect(QRect(380, 20, 110, 60));
    return image;
}

// An icon: a few colours and hard edges.
QImage icon()
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(QColor(30, 110, 200));
    QPainter p(&image);
    p.fillRect(8, 8, 48, 48, Qt::white);
    p.fillRect(16, 16, 32, 8, QColor(200, 30, 30));
    p.fillRect(16, 32, 32, 16, QColor(20, 160, 60));
    p.setPen(Qt::black);
    p.drawLine(8, 56, 56, 8);
    return image;
}

// One run's wall time (from the start of the process to its end) and the
// processor time it took (user and system, all its threads).
struct Run {
    double wallMs = 0;
    double cpuMs = 0;
};

// Started with posix_spawn rather than QProcess, so that neither a copy of
// this process's memory nor Qt's pipes and event loop count as the
// program's time.
Run runOnce(const QString& program, const QStringList& args, const QString& cwd)
{
    std::vector<QByteArray> strings = {program.toLocal8Bit()};
    for (const QString& a : args)
        strings.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : strings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const QByteArray oldCwd = QDir::currentPath().toLocal8Bit();
    if (::chdir(cwd.toLocal8Bit().constData()) != 0)
        throw std::runtime_error("cannot enter " + cwd.toStdString());
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    int status = 0;
    rusage usage{};
    const bool waited = spawned == 0 && ::wait4(pid, &status, 0, &usage) == pid;
    const double wall = clock.nsecsElapsed() / 1e6;
    posix_spawn_file_actions_destroy(&actions);
    if (::chdir(oldCwd.constData()) != 0)
        throw std::runtime_error("cannot go back to " + oldCwd.toStdString());
    if (!waited || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error((program + QStringLiteral(" failed")).toStdString());
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return {wall, ms(usage.ru_utime) + ms(usage.ru_stime)};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The peak resident memory of a run in MiB, through GNU time: a child
// spawned from here counts this process's memory as its own until it
// starts the program.
double peakMb(const QString& program, const QStringList& args, const QString& cwd)
{
    const QString report = cwd + QStringLiteral("/peak.txt");
    runOnce(QStringLiteral("/usr/bin/time"), QStringList{QStringLiteral("-f"), QStringLiteral("%M"), QStringLiteral("-o"), report, program} + args, cwd);
    QFile file(report);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("GNU time wrote nothing");
    return file.readAll().trimmed().toDouble() / 1024.0;
}

// PSNR of `got` against `reference`, over the pixels the reference shows
// (alpha at least half); a see-through pixel of `got` there counts as the
// see-through colour.
double psnr(const QImage& reference, const QImage& got)
{
    double sum = 0;
    long count = 0;
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x) {
            const QRgb r = reference.pixel(x, y);
            if (qAlpha(r) < 128)
                continue;
            QRgb g = got.pixel(x, y);
            if (qAlpha(g) < 128)
                g = qRgb(0, 0, 255);
            const double dr = qRed(r) - qRed(g), dg = qGreen(r) - qGreen(g), db = qBlue(r) - qBlue(g);
            sum += dr * dr + dg * dg + db * db;
            count += 3;
        }
    if (count == 0 || sum == 0)
        return 99.0;
    return 10 * std::log10(255.0 * 255.0 / (sum / count));
}

QImage wadImage(const QString& path)
{
    const std::vector<std::uint8_t> wad = files::readAll(path.toStdString(), files::kMaxWadBytes);
    const formats::WadPicture picture = formats::readWadPicture(wad.data(), wad.size());
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const int i = picture.indices[std::size_t(y) * picture.width + x];
            const std::uint8_t* c = &picture.palette[3 * i];
            image.setPixel(x, y, i == 255 ? qRgba(0, 0, 0, 0) : qRgb(c[0], c[1], c[2]));
        }
    return image;
}

// The dialog's preview after a change: the logo made again and both
// previews drawn, the time from the change to the new pictures.
double previewMs(const QImage& picture, int runs)
{
    makelogo::MakeLogoDialog dialog(picture);
    auto* dither = dialog.findChild<QCheckBox*>(QStringLiteral("DitherBox"));
    if (!dither)
        throw std::runtime_error("the Make logo dialog has no dithering box");
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        dither->toggle();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    return median(times);
}

} // namespace

void benchLogoFormats(const QString& programDir, const QString& workDir, QTextStream& out, int runs)
{
    struct Picture {
        QString format;
        QSize picture;
        QSize logo;
    };
    const std::vector<Picture> pictures = {
        {QStringLiteral("png"), QSize(1920, 1080), QSize(112, 64)},
        {QStringLiteral("jpeg"), QSize(4000, 3000), QSize(128, 96)},
        {QStringLiteral("gif"), QSize(640, 480), QSize(128, 96)},
        {QStringLiteral("bmp"), QSize(1920, 1080), QSize(112, 64)},
        {QStringLiteral("webp"), QSize(1920, 1080), QSize(112, 64)},
    };
    QDir().mkpath(workDir);
    const QString logo2wad = programDir + QStringLiteral("/logo2wad");
    const QString convert = QStringLiteral("convert");
    QStringList lines;
    for (const Picture& p : pictures) {
        const QString name = QStringLiteral("photo-%1x%2").arg(p.picture.width()).arg(p.picture.height());
        const QString source = workDir + QLatin1Char('/') + name + QLatin1Char('.') + p.format;
        if (!QFileInfo::exists(source)) {
            const QString png = workDir + QLatin1Char('/') + name + QStringLiteral(".png");
            if (!QFileInfo::exists(png))
                photograph(p.picture.width(), p.picture.height()).save(png);
            // Qt writes no GIF; ImageMagick writes every format alike.
            if (p.format != QLatin1String("png"))
                runOnce(convert, {png, source}, workDir);
        }
        const QString geometry = QStringLiteral("%1x%2").arg(p.logo.width()).arg(p.logo.height());
        const QString wad = workDir + QLatin1Char('/') + p.format + QStringLiteral(".wad");
        const QString magick = workDir + QLatin1Char('/') + p.format + QStringLiteral("-magick.png");
        const QStringList ours = {source, wad, QStringLiteral("--size"), geometry, QStringLiteral("--fit"), QStringLiteral("stretch")};
        QStringList theirs;
        if (p.format == QLatin1String("jpeg"))
            theirs << QStringLiteral("-define")
                   << QStringLiteral("jpeg:size=%1x%2").arg(2 * p.logo.width()).arg(2 * p.logo.height());
        theirs << source << QStringLiteral("-resize") << geometry + QLatin1Char('!') << QStringLiteral("-dither")
               << QStringLiteral("None") << QStringLiteral("-colors") << QStringLiteral("255") << magick;
        std::vector<double> ourWall, ourRss, theirWall, theirRss;
        runOnce(logo2wad, ours, workDir);
        runOnce(convert, theirs, workDir);
        for (int i = 0; i < runs; ++i) {
            ourWall.push_back(runOnce(logo2wad, ours, workDir).wallMs);
            theirWall.push_back(runOnce(convert, theirs, workDir).wallMs);
        }
        for (int i = 0; i < 3; ++i) {
            ourRss.push_back(peakMb(logo2wad, ours, workDir));
            theirRss.push_back(peakMb(convert, theirs, workDir));
        }
        const QString f = p.format;
        lines << QStringLiteral("BENCH logo_%1 %2 ms").arg(f).arg(median(ourWall), 0, 'f', 3)
              << QStringLiteral("BENCH logo_convert_%1 %2 ms").arg(f).arg(median(theirWall), 0, 'f', 3)
              << QStringLiteral("BENCH logo_rss_%1 %2 MiB").arg(f).arg(median(ourRss), 0, 'f', 1)
              << QStringLiteral("BENCH logo_convert_rss_%1 %2 MiB").arg(f).arg(median(theirRss), 0, 'f', 1)
              << QStringLiteral("BENCH logo_ratio_%1 %2 x").arg(f).arg(median(ourWall) / median(theirWall), 0, 'f', 3)
              << QStringLiteral("BENCH logo_rss_ratio_%1 %2 x").arg(f).arg(median(ourRss) / median(theirRss), 0, 'f', 3);
    }
    // The Make logo dialog's preview after a change, on the largest picture.
    const QImage large(workDir + QStringLiteral("/photo-4000x3000.png"));
    lines << QStringLiteral("BENCH makelogo_preview_4000x3000 %1 ms").arg(previewMs(large, std::min(runs, 7)), 0, 'f', 3);
    for (const QString& line : lines)
        out << line << '\n';
    out.flush();
}

void benchLogo2wad(const QString& programDir, const QString& workDir, QTextStream& out, int runs)
{
    struct Picture {
        QString name;
        QImage image;
        QSize size;
    };
    const std::vector<Picture> pictures = {
        {QStringLiteral("photo"), photograph(), QSize(112, 64)},
        {QStringLiteral("drawing"), drawing(), QSize(96, 96)},
        {QStringLiteral("icon"), icon(), QSize(96, 96)},
    };
    QDir().mkpath(workDir);
    const QString logo2wad = programDir + QStringLiteral("/logo2wad");
    const QString convert = QStringLiteral("convert");
    QStringList lines;
    for (const Picture& picture : pictures) {
        const QString source = workDir + QLatin1Char('/') + picture.name + QStringLiteral(".png");
        picture.image.save(source);
        const QString geometry = QStringLiteral("%1x%2").arg(picture.size.width()).arg(picture.size.height());
        const QString wad = workDir + QLatin1Char('/') + picture.name + QStringLiteral(".wad");
        const QString magick = workDir + QLatin1Char('/') + picture.name + QStringLiteral("-magick.png");
        const QString reference = workDir + QLatin1Char('/') + picture.name + QStringLiteral("-scaled.png");
        const QStringList ours = {source, wad, QStringLiteral("--size"), geometry, QStringLiteral("--fit"), QStringLiteral("stretch")};
        const QStringList theirs = {source, QStringLiteral("-resize"), geometry + QLatin1Char('!'), QStringLiteral("-dither"),
                                    QStringLiteral("None"), QStringLiteral("-colors"), QStringLiteral("255"), magick};
        files::removeFile(wad.toStdString());
        // Turn about, so that a change in the machine's load falls on both.
        std::vector<double> ourWall, ourCpu, theirWall, theirCpu;
        runOnce(logo2wad, ours, workDir);
        runOnce(convert, theirs, workDir);
        for (int i = 0; i < runs; ++i) {
            const Run a = runOnce(logo2wad, ours, workDir);
            const Run b = runOnce(convert, theirs, workDir);
            ourWall.push_back(a.wallMs);
            ourCpu.push_back(a.cpuMs);
            theirWall.push_back(b.wallMs);
            theirCpu.push_back(b.cpuMs);
        }
        // The scaled picture both are judged against: ImageMagick's own
        // scaling, without the colour reduction.
        runOnce(convert, {source, QStringLiteral("-resize"), geometry + QLatin1Char('!'), QStringLiteral("PNG32:") + reference}, workDir);
        const QImage scaled(reference);
        const double ourDb = psnr(scaled, wadImage(wad));
        const double theirDb = psnr(scaled, QImage(magick));
        lines << QStringLiteral("BENCH logo2wad_%1 %2 ms").arg(picture.name).arg(median(ourWall), 0, 'f', 3)
              << QStringLiteral("BENCH convert_%1 %2 ms").arg(picture.name).arg(median(theirWall), 0, 'f', 3)
              << QStringLiteral("BENCH logo2wad_cpu_%1 %2 ms").arg(picture.name).arg(median(ourCpu), 0, 'f', 3)
              << QStringLiteral("BENCH convert_cpu_%1 %2 ms").arg(picture.name).arg(median(theirCpu), 0, 'f', 3)
              << QStringLiteral("BENCH logo2wad_psnr_%1 %2 dB").arg(picture.name).arg(ourDb, 0, 'f', 2)
              << QStringLiteral("BENCH convert_psnr_%1 %2 dB").arg(picture.name).arg(theirDb, 0, 'f', 2);
    }
    for (const Picture& picture : pictures)
        lines << QStringLiteral("BENCH makelogo_preview_%1 %2 ms").arg(picture.name).arg(previewMs(picture.image, runs), 0, 'f', 3);
    for (const QString& line : lines)
        out << line << '\n';
    out.flush();
}

} // namespace bench
