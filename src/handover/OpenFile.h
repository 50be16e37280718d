// A file named on the command line, or handed over by a second start, goes
// into the main window exactly as a file dropped on it does.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace handover {

// The file among the program's arguments (the first that is not an option),
// made absolute against the current directory; empty when there is none.
QString fileArgument(const QStringList& arguments);
// Every file among the arguments (all after "--"), made absolute.
QStringList fileArguments(const QStringList& arguments);

// The file arguments of a start as the system gave them (argv after Qt took
// its own options): those that can be opened, made absolute, and a line for
// each that cannot ("name: reason"). A name that is not valid UTF-8 is
// refused, shown with its odd bytes written as %XX: decoded, it could name
// another file.
struct FileArguments {
    QStringList files;
    QStringList refused;
};
FileArguments readFileArguments(const QList<QByteArray>& arguments);
QList<QByteArray> rawArguments(int argc, char** argv);

// Raises and activates the window (a second start without a file).
void bringToFront(QWidget& window);

} // namespace handover
