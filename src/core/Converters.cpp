#include "Converters.h"

#include "WorkingFiles.h"
#include "store/ProgramDir.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace logoimport {

namespace {

int& timeoutSetting()
{
    static int ms = 10000;
    return ms;
}

// The pause between two looks at the program directory. The wait ends at
// once when the program ends, so it only bounds the delay of a file that
// appears while the program still runs.
constexpr int kPollMs = 3;

struct Converter {
    QString label;     // "the extractor wad3"
    QString failure;   // "The picture could not be extracted from the logo file"
};

void startHidden(QProcess& process, const QString& program, const QStringList& arguments)
{
    process.setWorkingDirectory(workingDir());
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
#ifdef Q_OS_WIN
    process.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments* args) { args->flags |= CREATE_NO_WINDOW; });
#endif
    process.start(program, arguments, QIODevice::ReadOnly);
}

QString firstLine(const QByteArray& bytes)
{
    const QString text = QString::fromLocal8Bit(bytes).trimmed();
    return text.section(QLatin1Char('\n'), 0, 0).trimmed();
}

// Runs the program and waits until done() holds.
void runUntil(const Converter& c, const QString& program, const QStringList& arguments,
              const std::function<bool()>& done, const WhileWaiting& whileWaiting)
{
    if (!QFileInfo(program).isFile())
        throw ConverterError(QStringLiteral("%1: %2 is missing.").arg(c.failure, c.label).toStdString());
    QProcess process;
    startHidden(process, program, arguments);
    if (!process.waitForStarted(timeoutSetting()))
        throw ConverterError(QStringLiteral("%1: %2 could not be started (%3).")
                                 .arg(c.failure, c.label, process.errorString())
                                 .toStdString());
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (done())
            break;
        if (process.state() == QProcess::NotRunning) {
            if (done())
                break;
            QString why = firstLine(process.readAllStandardError());
            const bool rejected = !why.isEmpty() && process.exitStatus() == QProcess::NormalExit;
            if (why.isEmpty())
                why = process.exitStatus() == QProcess::CrashExit
                          ? QStringLiteral("%1 crashed").arg(c.label)
                          : QStringLiteral("%1 ended without leaving its picture").arg(c.label);
            throw ConverterError(QStringLiteral("%1: %2.").arg(c.failure, why).toStdString(), rejected);
        }
        if (clock.elapsed() > timeoutSetting()) {
            process.kill();
            process.waitForFinished(1000);
            throw ConverterError(QStringLiteral("%1: %2 did not finish within %3 seconds.")
                                     .arg(c.failure, c.label)
                                     .arg(timeoutSetting() / 1000.0)
                                     .toStdString());
        }
        process.waitForFinished(kPollMs);   // returns early when the program ends
        if (whileWaiting)
            whileWaiting();
    }
    // The file is complete (the converters rename it into place); the
    // program is about to end. One that lingers is not waited for.
    if (process.state() != QProcess::NotRunning && !process.waitForFinished(100)) {
        process.kill();
        process.waitForFinished(1000);
    }
}

} // namespace

int converterTimeout() { return timeoutSetting(); }
void setConverterTimeout(int milliseconds) { timeoutSetting() = milliseconds; }

QString extractPicture(const QString& wadPath, const WhileWaiting& whileWaiting)
{
    const QStringList before = pcxFiles();
    QString found;
    auto done = [&] {
        for (const QString& name : pcxFiles()) {
            if (!before.contains(name)) {
                found = name;
                return true;
            }
        }
        return false;
    };
    runUntil({QStringLiteral("the extractor wad3"), QStringLiteral("The picture could not be extracted from the logo file")},
             extractorPath(), {wadPath}, done, whileWaiting);
    return found;
}

void convertPicture(const QString& pcxName, const WhileWaiting& whileWaiting)
{
    const QString jpg = convertedPicturePath();
    QFile::remove(jpg);   // a left-over one is not this logo's picture
    auto done = [&] { return QFile::exists(jpg) && bestandsgrootte() > 250; };
    runUntil({QStringLiteral("the converter i_view32"), QStringLiteral("The picture could not be converted")},
             converterPath(), {workingFile(pcxName), QStringLiteral("/convert=") + jpg}, done, whileWaiting);
}

} // namespace logoimport
