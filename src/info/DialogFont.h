// The font of the program's dialogs, "MS Sans Serif" in a pixel height, and
// its bold and underlined forms; and their plain text labels.
#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace info {

QFont dialogFont(int pixels = 11, bool bold = false, bool underline = false);

// A label named `name` at (x, y), as wide as its text.
QLabel* dialogLabel(QWidget* parent, const QString& name, const QString& text, int x, int y);

} // namespace info
