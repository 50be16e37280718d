// The help text of a settings dialog, written as the lines it was once broken
// into: the lines of a paragraph are joined with spaces so that the text box
// wraps them at its own width, and an empty line starts a new paragraph (kept
// as a blank line between them).
#pragma once

#include <QString>
#include <QStringList>

namespace settings {

QString helpParagraphs(const QStringList& lines);

} // namespace settings
