// The timed operations, run in a child process on a library: each prints one
// line "T <milliseconds>" per operation.
#pragma once

#include <QString>

class QElapsedTimer;
class TForm1;

namespace app { class Program; }

namespace bench {

// Starts the program on the library in `dir` with scripted message boxes
// and shows its main window; false when it does not start.
bool startProgram(app::Program& program, const QString& dir);

// A copy of a real spray in `dir`, made once.
QString sprayCopy(const QString& dir);

// Imports the chosen file into the slot by its "+" button under the name;
// okPressed, when given, starts when the name prompt's OK is pressed.
void importLogo(TForm1& form, int slot, const QString& chosen, const QString& name, QElapsedTimer* okPressed = nullptr);

// Hands the file over to the running window through its socket, as a
// second start does (into the first free slot) and answers the name prompt with the name; returns
// once the import has ended.
void handOverLogo(TForm1& form, const QString& file, const QString& name);

// Imports the picture into the slot by its "+" button: Make logo with its
// defaults, then the name prompt with the name.
void makeLogo(TForm1& form, int slot, const QString& picture, const QString& name);

// A picture to make logos from, in `dir`, made once.
QString pictureCopy(const QString& dir);

// Renames the slot's logo through its title edit and the rename dialog.
void renameSlot(TForm1& form, int slot, const QString& name);

int operationsChild(const QString& dir, const QString& kind, int count);

} // namespace bench
