// The table files of the program directory and the journals the table
// engine keeps beside them. Only the engine may open them: closing any
// descriptor of a file drops every lock the process holds on it, so a
// stray open lets another program take the tables over (and remove the
// live journal). These checks look files up without opening them.
#pragma once

#include <QString>

namespace store {

// True for the name of a table file or one of its journals ("LogoDB.db",
// "LogoDB.db-wal", "ConfigDB.db-shm", "SwitchDB.db-journal"), in any letter case.
bool isTableFileName(const QString& name);

// True when `path` is a table file of the program directory or one of its
// journals: that name in the program directory (existing or not), or the
// same file under another name or through a link.
bool isTableFile(const QString& path);

} // namespace store
