#include "PxLib.h"

#include "LateLibrary.h"
#include "ParadoxTable.h"

#include <QLibrary>

#include <mutex>

namespace store {

const PxLib& pxlib()
{
    static PxLib lib;
    static QString problem;
    static std::once_flag once;
    std::call_once(once, [] {
        QLibrary library(QStringLiteral("px"), 0);
        if (!library.load()) {
            problem = QStringLiteral("pxlib, which reads Paradox tables, could not be loaded (%1).").arg(library.errorString());
            return;
        }
        QString missing;
        resolveLate(library, "PX_boot", lib.boot, missing);
        resolveLate(library, "PX_new3", lib.new3, missing);
        resolveLate(library, "PX_open_file", lib.openFile, missing);
        resolveLate(library, "PX_close", lib.close, missing);
        resolveLate(library, "PX_delete", lib.deleteDoc, missing);
        resolveLate(library, "PX_get_num_fields", lib.numFields, missing);
        resolveLate(library, "PX_get_fields", lib.fields, missing);
        resolveLate(library, "PX_get_recordsize", lib.recordSize, missing);
        resolveLate(library, "PX_get_num_records", lib.numRecords, missing);
        resolveLate(library, "PX_get_record2", lib.record2, missing);
        resolveLate(library, "PX_get_data_alpha", lib.dataAlpha, missing);
        if (!missing.isEmpty()) {
            problem = QStringLiteral("pxlib, which reads Paradox tables, lacks %1.").arg(missing);
            return;
        }
        lib.boot();   // stays loaded: the QLibrary object goes, the library does not
    });
    if (!problem.isEmpty())
        throw ParadoxError(problem.toStdString());
    return lib;
}

} // namespace store
