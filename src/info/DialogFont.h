// The font of the program's windows and dialogs, in a pixel height, and its
// bold and underlined forms; and their plain text labels.
//
// The windows' pixel sizes were laid out for the common Windows sans font at
// 11 pixels. Liberation Sans has the same advance widths, so every text fits
// where it was placed; where it is missing the system's own sans font is used
// (the controls that need it are wide enough for that too). Setting
// TAGOMAT_FONT=system in the environment forces the fallback.
#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace info {

// The family every window uses: "Liberation Sans" when installed, else the
// system's default family.
QString dialogFontFamily();

QFont dialogFont(int pixels = 11, bool bold = false, bool underline = false);

// The width a label's text takes in its font (spaces at its ends show
// nothing); controls laid out for the preferred font grow by it when the
// fallback font is wider.
int textWidth(const QLabel* label);

// A label named `name` at (x, y), as wide as its text.
QLabel* dialogLabel(QWidget* parent, const QString& name, const QString& text, int x, int y);

} // namespace info
