// The logo import: from a WAD file to a filled slot.
#pragma once

#include <QList>
#include <QUrl>

class TForm1;

namespace logoimport {

// The "+" button of a slot.
void insertClick(TForm1& form, int slot);
// Files dropped on the main window.
void dropFiles(TForm1& form, const QList<QUrl>& urls);

} // namespace logoimport
