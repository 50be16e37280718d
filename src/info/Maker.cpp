#include "Maker.h"

// TAGOMAT_COMPANY_NAME comes from the build, beside the version entries.

namespace info {

QString makerName() { return QStringLiteral(TAGOMAT_COMPANY_NAME); }

QString copyrightLine() { return QStringLiteral("2002 ") + makerName(); }

} // namespace info
