// A slot change that goes with a change of its logo wad file (a rename, a
// deletion) is written to the table together with the file change. The file
// change cannot be undone, so neither Cancel nor closing without saving may
// bring back a title that names a file that is gone, or lose the title of a
// file that was given a new name. The whole pending edit of the page is
// written, since an earlier exchange may have moved titles between slots
// that the stored page still names the old way.
#pragma once

#include <functional>

namespace store { class Table; }

namespace slotedit {

// Posts the pending edit of the current page and begins a new one. When the table refuses it
// (a page title that another page has), `undo` puts the file and the slot
// back as they were, the user is told, and the result is false; the pending
// edit stays. Any other error runs `undo` and goes on to the caller.
bool postWithFileChange(store::Table& pages, const std::function<void()>& undo);

} // namespace slotedit
