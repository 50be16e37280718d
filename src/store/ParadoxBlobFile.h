// The blob file (.MB) beside a Paradox table, read for the pictures its
// rows point to. A blob field in a row is a leader (the first bytes of the
// blob, or all of it when it fits), then the blob's place in the file (a
// 32-bit offset whose low byte is an index), its length (32-bit) and a
// modification number (16-bit), all little-endian. The file is made of
// 4 KiB blocks: a block of type 2 holds one blob behind a 9-byte header, a
// block of type 3 up to 64 small ones found through a table of 5-byte
// entries after its 12-byte header. pxlib's own blob reader aborts on some
// files (a stack overflow while it opens them), so this one reads them,
// checking every length against the file.
#pragma once

#include <QFile>
#include <QString>

namespace store {

class ParadoxBlobFile {
public:
    // A path that is empty or cannot be opened leaves the file closed: only
    // blobs kept whole in their row can then be read.
    explicit ParadoxBlobFile(const QString& path);

    // The bytes of the blob `field` (the field's `length` bytes in the row)
    // stands for; empty when it holds none. On damage, an empty array and
    // the reason in `problem`.
    QByteArray read(const char* field, int length, QString* problem);

private:
    QFile file_;
};

} // namespace store
