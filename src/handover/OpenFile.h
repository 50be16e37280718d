// A file named on the command line, or handed over by a second start, goes
// into the main window exactly as a file dropped on it does.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace handover {

// The file among the program's arguments (the first that is not an option),
// made absolute against the current directory; empty when there is none.
QString fileArgument(const QStringList& arguments);
// Every file among the arguments (all after "--"), made absolute.
QStringList fileArguments(const QStringList& arguments);

// Raises and activates the window (a second start without a file).
void bringToFront(QWidget& window);

} // namespace handover
