#include "PxLib.h"

#include "ParadoxTable.h"

#include <QLibrary>

#include <mutex>

namespace store {

namespace {

template <typename F>
void resolve(QLibrary& library, const char* name, F& function, QString& missing)
{
    function = reinterpret_cast<F>(library.resolve(name));
    if (!function && missing.isEmpty())
        missing = QString::fromLatin1(name);
}

} // namespace

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
        resolve(library, "PX_boot", lib.boot, missing);
        resolve(library, "PX_new3", lib.new3, missing);
        resolve(library, "PX_open_file", lib.openFile, missing);
        resolve(library, "PX_close", lib.close, missing);
        resolve(library, "PX_delete", lib.deleteDoc, missing);
        resolve(library, "PX_get_num_fields", lib.numFields, missing);
        resolve(library, "PX_get_fields", lib.fields, missing);
        resolve(library, "PX_get_recordsize", lib.recordSize, missing);
        resolve(library, "PX_get_num_records", lib.numRecords, missing);
        resolve(library, "PX_get_record2", lib.record2, missing);
        resolve(library, "PX_get_data_alpha", lib.dataAlpha, missing);
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
