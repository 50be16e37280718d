#include "PxLib.h"

#include "LateLibrary.h"
#include "ParadoxTable.h"

#include <mutex>

namespace store {

const PxLib& pxlib()
{
    static PxLib lib;
    static QString problem;
    static std::once_flag once;
    std::call_once(once, [] {
        problem = loadLate(QStringLiteral("px"), 0, QStringLiteral("pxlib, which reads Paradox tables"),
                           [](QLibrary& library, QString& missing) {
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
                           });
        if (problem.isEmpty())
            lib.boot();
        else
            problem += QLatin1Char('.');
    });
    if (!problem.isEmpty())
        throw ParadoxError(problem.toStdString());
    return lib;
}

} // namespace store
