// A small tolerant reader of Valve's text key-value files (VDF), such as
// Steam's libraryfolders.vdf: quoted or bare keys and values, nested blocks
// in braces, "//" comments, backslash escapes in quoted strings, and the
// "[$OS]" conditions after an entry (skipped). A file that is not of this
// kind fails with FormatError; it never reads past the data given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace formats {

struct VdfEntry {
    std::string key;
    std::string value;               // empty for a block
    std::vector<VdfEntry> children;  // the entries of a block
    bool block = false;

    // The first entry of this block with the key (compared without case), or null.
    const VdfEntry* find(const std::string& key) const;
};

// The top-level entries. Blocks left open at the end of the data count as
// closed there; a stray "}", a key without a value or an unclosed string
// fail, as do blocks nested deeper than 64.
std::vector<VdfEntry> readVdf(const std::uint8_t* data, std::size_t size);

} // namespace formats
