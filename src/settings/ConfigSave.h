// Writing the settings record (ConfigDB.db) from a settings dialog.
#pragma once

#include <QString>

#include <functional>

namespace store { class Table; }

namespace settings {

// The settings table of the main window.
store::Table& configTable();
QString configText(int field);

// True when the field can hold the text as it is: the table keeps single-byte
// text of a fixed width, and a path cut short or with characters replaced
// would name another folder or file.
bool fitsConfigField(int field, const QString& text);
// Shown instead of saving a path that the settings table cannot hold whole.
void reportUnstorablePath();

// Edit, set the fields, Post. A failing post drops the pending edit again, so
// no half-made change is written later by another dialog's save, and the
// error goes on to the caller.
void saveConfig(const std::function<void(store::Table&)>& setFields);

} // namespace settings
