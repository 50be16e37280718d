#include "LogoName.h"

#include "store/ProgramDir.h"

namespace logoimport {

QString logoNameProblem(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("Please enter a name for this logo.");
    if (name.size() > kMaxLogoName)
        return QStringLiteral("The name is too long, use at most %1 characters.").arg(kMaxLogoName);
    switch (store::titleFault(name)) {
    case store::TitleFault::Separator:
        return QStringLiteral("The name may not contain / or \\.");
    case store::TitleFault::DotName:
        return QStringLiteral("The name may not be . or ..");
    case store::TitleFault::ControlCharacter:
        return QStringLiteral("The name may not contain control characters.");
    case store::TitleFault::None:
        break;
    }
    for (const QChar c : name)
        if (c.unicode() > 0xff)
            return QStringLiteral("The name may only contain letters, digits and signs of the Latin-1 character set.");
    return QString();
}

QString fitLogoName(const QString& wanted, const std::function<bool(const QString&)>& taken)
{
    QString name;
    for (const QChar c : wanted) {
        // A dot alone is a dot name; within a name it is fine.
        const bool fits = c == QLatin1Char('.') || (c != QLatin1Char(' ') && logoNameProblem(QString(c)).isEmpty());
        name += fits ? c : QLatin1Char('_');
    }
    name.truncate(kMaxLogoName);
    if (name.isEmpty() || !logoNameProblem(name).isEmpty())
        name = QStringLiteral("logo");   // "." and ".." alone are left
    if (!taken(name))
        return name;
    for (int n = 2;; ++n) {
        const QString number = QStringLiteral("_%1").arg(n);
        const QString numbered = name.left(kMaxLogoName - number.size()) + number;
        if (!taken(numbered))
            return numbered;
    }
}

} // namespace logoimport
