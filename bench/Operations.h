// The timed operations, run in a child process on a library: each prints one
// line "T <milliseconds>" per operation.
#pragma once

#include <QString>

namespace bench {

int operationsChild(const QString& dir, const QString& kind, int count);

} // namespace bench
