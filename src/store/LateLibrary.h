// Libraries loaded when first needed rather than at every start: their
// functions looked up by name.
#pragma once

#include <QLibrary>
#include <QString>

#include <functional>

namespace store {

// Looks `name` up in the loaded `library` into `function`; the first name
// not found goes to `missing`, so one message can name it.
template <typename F>
void resolveLate(QLibrary& library, const char* name, F& function, QString& missing)
{
    function = reinterpret_cast<F>(library.resolve(name));
    if (!function && missing.isEmpty())
        missing = QString::fromLatin1(name);
}

// Loads the library `name` of major `version` and looks its functions up
// through `resolve` (a resolveLate for each). Gives what went wrong, led by
// `what` the library is, or an empty text. The library stays loaded when
// the QLibrary object goes.
inline QString loadLate(const QString& name, int version, const QString& what,
                        const std::function<void(QLibrary& library, QString& missing)>& resolve)
{
    QLibrary library(name, version);
    if (!library.load())
        return QStringLiteral("%1 could not be loaded (%2)").arg(what, library.errorString());
    QString missing;
    resolve(library, missing);
    return missing.isEmpty() ? QString() : QStringLiteral("%1 lacks %2").arg(what, missing);
}

} // namespace store
