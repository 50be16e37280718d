// Libraries loaded when first needed rather than at every start: their
// functions looked up by name.
#pragma once

#include <QLibrary>
#include <QString>

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

} // namespace store
