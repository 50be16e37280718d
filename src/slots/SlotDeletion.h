// The "-" button of a slot: empties the slot, after two questions, with or
// without its logo wad file.
#pragma once

namespace core { class Library; }

namespace slotedit {

void deleteClick(core::Library& library, int slot);

} // namespace slotedit
