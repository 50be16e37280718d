#include "Launch.h"

#include "app/MessageBox.h"
#include "info/Links.h"

#include <QProcess>
#include <QUrl>

namespace game {

namespace {

std::function<void(const ProgramCommand&)>& startHook()
{
    static std::function<void(const ProgramCommand&)> hook;
    return hook;
}

} // namespace

bool startDetached(const ProgramCommand& command)
{
    if (startHook()) {
        startHook()(command);
        return true;
    }
    QProcess process;
    process.setProgram(command.program);
    process.setArguments(command.arguments);
    process.setWorkingDirectory(command.workingDirectory);
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    QString text = QStringLiteral("Could not start \"%1\"").arg(command.program);
    if (!process.errorString().isEmpty())
        text += QStringLiteral(": ") + process.errorString();
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    app::MessageBox::error(text);
    return false;
}

bool openWithDesktop(const QString& path)
{
    if (info::openAddress(QUrl::fromLocalFile(path)))
        return true;
    app::MessageBox::error(QStringLiteral("Could not open \"%1\": the desktop has no program for it.").arg(path));
    return false;
}

void setStartHook(std::function<void(const ProgramCommand&)> hook) { startHook() = std::move(hook); }

} // namespace game
