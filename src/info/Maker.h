// Who made the program: the name the build carries in its version entries,
// the copyright line of the about box and the signature of the credits. The
// web host and the mail address are in Links.h.
#pragma once

#include <QString>

namespace info {

QString makerName();
QString copyrightLine();   // the year and the holder

} // namespace info
