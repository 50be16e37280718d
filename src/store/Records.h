// The three tables of the program directory and the fields of their records.
#pragma once

#include "TableDef.h"

namespace store {

// LogoDB.db: one LogoPage per row, a page title and eight slots.
namespace LogoPage {
inline constexpr int kSlots = 8;
inline constexpr int PageTitle = 0;
inline constexpr int kTitleWidth = 15;
// Slot n (1 to 8): its title, which also names its logo wad file, and its picture.
inline constexpr int pictureTitle(int n) { return 2 * n - 1; }
inline constexpr int picture(int n) { return 2 * n; }
}

// ConfigDB.db: the one ConfigRecord.
namespace ConfigRecord {
inline constexpr int Config = 0;
inline constexpr int ConfigSaved = 1;
inline constexpr int WaitTime = 2;
inline constexpr int ExtraConfig = 3;
inline constexpr int ExtraConfigSaved = 4;
}

// SwitchDB.db: the one SwitchRecord, scratch space of a slot exchange.
namespace SwitchRecord {
inline constexpr int TempImage = 0;
inline constexpr int TempImageTitle = 1;
inline constexpr int Nickname = 2;
}

const TableDef& logoTableDef();
const TableDef& configTableDef();
const TableDef& switchTableDef();

} // namespace store
