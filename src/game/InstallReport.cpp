#include "InstallReport.h"

#include "app/MessageBox.h"
#include "core/Install.h"

#include <QSet>
#include <QStringList>

namespace game {

void reportInstall(const core::InstallResult& result)
{
    if (!result.text.isEmpty())
        app::MessageBox::error(result.text);
    static QSet<QString> said;
    QStringList notes;
    for (const QString& note : result.notes)
        if (!said.contains(note)) {
            said.insert(note);
            notes << note;
        }
    if (!notes.isEmpty())
        app::MessageBox::plain(notes.join(QLatin1Char('\n')));
}

} // namespace game
