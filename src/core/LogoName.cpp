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

} // namespace logoimport
