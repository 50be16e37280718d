#include "OpenFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QWidget>

namespace handover {

namespace {

// Printable ASCII stays, every other byte (and "%" itself) becomes %XX, so
// that no two names look alike.
QString escapedName(const QByteArray& name)
{
    QString shown;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && byte != '%')
            shown += QLatin1Char(c);
        else
            shown += QStringLiteral("%%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    }
    return shown;
}

} // namespace

QString fileArgument(const QStringList& arguments)
{
    const QStringList files = fileArguments(arguments);
    return files.isEmpty() ? QString() : files.first();
}

QStringList fileArguments(const QStringList& arguments)
{
    QStringList files;
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (!optionsEnded && a == QLatin1String("--"))
            optionsEnded = true;
        else if (optionsEnded || !a.startsWith(QLatin1Char('-')))
            files << QFileInfo(a).absoluteFilePath();
    }
    return files;
}

QList<QByteArray> rawArguments(int argc, char** argv)
{
    QList<QByteArray> arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    return arguments;
}

FileArguments readFileArguments(const QList<QByteArray>& arguments)
{
    FileArguments result;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QByteArray& a = arguments[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && a.startsWith('-'))
            continue;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString name = utf8.decode(a);
        if (a.isEmpty()) {
            result.refused << QStringLiteral("\"\": the name is empty");
            continue;
        }
        if (utf8.hasError()) {
            const QByteArray absolute = a.startsWith('/') ? a : QFile::encodeName(QDir::currentPath()) + '/' + a;
            result.refused << QStringLiteral("%1: its name is not valid UTF-8").arg(escapedName(absolute));
            continue;
        }
        const QFileInfo info(name);
        const QString file = info.absoluteFilePath();
        if (!info.exists())
            result.refused << QStringLiteral("%1: there is no such file").arg(file);
        else if (!info.isReadable())
            result.refused << QStringLiteral("%1: it cannot be read").arg(file);
        else
            result.files << file;
    }
    return result;
}

void bringToFront(QWidget& window)
{
    if (window.isMinimized())
        window.showNormal();
    window.raise();
    window.activateWindow();
}

} // namespace handover
