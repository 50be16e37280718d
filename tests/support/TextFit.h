// Whether a window shows every text whole: each visible label, button, check
// box, radio button, tool button with text, group box title and menu bar item
// of the window (found by walking all its child widgets, so controls added
// later are covered too) must fit its text, by the widget's own font metrics,
// inside its contents rectangle, inside every parent up to the window, and
// must not run over another control.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace textfit {

// One line per text that does not fit ("Form4/Label1 \"Please enter...\":
// text 170x14 does not fit 165x14"); empty when all fit.
QStringList problems(QWidget* window);

} // namespace textfit
