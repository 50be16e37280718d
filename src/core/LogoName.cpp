#include "LogoName.h"

namespace logoimport {

QString logoNameProblem(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("Please enter a name for this logo.");
    if (name.size() > kMaxLogoName)
        return QStringLiteral("The name is too long, use at most %1 characters.").arg(kMaxLogoName);
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QStringLiteral("The name may not contain / or \\.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("The name may not be . or ..");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() < 0xa0))
            return QStringLiteral("The name may not contain control characters.");
        if (c.unicode() > 0xff)
            return QStringLiteral("The name may only contain letters, digits and signs of the Latin-1 character set.");
    }
    return QString();
}

} // namespace logoimport
