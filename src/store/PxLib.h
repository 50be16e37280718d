// pxlib, loaded on the first read of a Paradox table rather than linked:
// it pulls in GLib's I/O, libgsf and libxml2, a dozen libraries that every
// start would map and bind for a conversion that runs once, if ever.
#pragma once

#include <paradox.h>

namespace store {

struct PxLib {
    decltype(&PX_boot) boot = nullptr;
    decltype(&PX_new3) new3 = nullptr;
    decltype(&PX_open_file) openFile = nullptr;
    decltype(&PX_close) close = nullptr;
    decltype(&PX_delete) deleteDoc = nullptr;
    decltype(&PX_get_num_fields) numFields = nullptr;
    decltype(&PX_get_fields) fields = nullptr;
    decltype(&PX_get_recordsize) recordSize = nullptr;
    decltype(&PX_get_num_records) numRecords = nullptr;
    decltype(&PX_get_record2) record2 = nullptr;
    decltype(&PX_get_data_alpha) dataAlpha = nullptr;
};

// The loaded and booted library; throws ParadoxError when it cannot be
// loaded or lacks a function.
const PxLib& pxlib();

} // namespace store
