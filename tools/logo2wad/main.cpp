// logo2wad PICTURE OUT.wad [--size WxH] [--max-area N] [--fit pad|crop|stretch]
//          [--transparent none|alpha|RRGGBB] [--dither]
// Makes a spray logo WAD file from a picture in any format Qt reads.
#include "logo/LogoMaker.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

#include <omp.h>

namespace {

constexpr char kUsage[] =
    "usage: logo2wad PICTURE OUT.wad [--size WxH] [--max-area N] [--fit pad|crop|stretch]"
    " [--transparent none|alpha|RRGGBB] [--dither]\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

int error(const QString& what)
{
    std::fprintf(stderr, "logo2wad: %s\n", what.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    // The quantiser's worker threads spin while they wait; for a logo's few
    // thousand pixels one thread is faster than waking others.
    omp_set_num_threads(1);
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QStringList positional;
    logo::LogoOptions options;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        QString problem;
        if (arg == QLatin1String("--dither")) {
            options.dither = true;
        } else if (arg == QLatin1String("--size") || arg == QLatin1String("--max-area")
                   || arg == QLatin1String("--fit") || arg == QLatin1String("--transparent")) {
            if (!hasValue)
                return usage();
            const QString value = args[++i];
            if (arg == QLatin1String("--size")) {
                problem = logo::parseSize(value, options.size);
            } else if (arg == QLatin1String("--max-area")) {
                bool ok = false;
                options.maxArea = value.toInt(&ok);
                if (!ok)
                    problem = QStringLiteral("bad largest area \"%1\"").arg(value);
            } else if (arg == QLatin1String("--fit")) {
                problem = logo::parseFit(value, options.fit);
            } else {
                problem = logo::parseSeeThrough(value, options.seeThrough, options.colour);
            }
        } else if (arg.startsWith(QLatin1String("--"))) {
            return usage();
        } else {
            positional << arg;
        }
        if (!problem.isEmpty())
            return error(problem);
    }
    if (positional.size() != 2)
        return usage();
    try {
        const QImage picture = logo::readPicture(positional[0]);
        logo::writeLogoWad(positional[1], logo::makeSpray(picture, options));
    } catch (const logo::LogoError& e) {
        return error(positional[0] + QStringLiteral(": ") + QString::fromStdString(e.what()));
    }
    return 0;
}
