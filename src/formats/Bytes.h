// Little-endian byte access and range checks shared by the decoders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace formats::bytes {

inline std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

inline std::uint32_t u32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
        | static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline std::int16_t i16(const std::uint8_t* p) { return static_cast<std::int16_t>(u16(p)); }
inline std::int32_t i32(const std::uint8_t* p) { return static_cast<std::int32_t>(u32(p)); }

// True when `length` bytes starting at `offset` lie inside a buffer of `size` bytes.
inline bool fits(std::uint64_t offset, std::uint64_t length, std::uint64_t size)
{
    return offset <= size && length <= size - offset;
}

inline void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace formats::bytes
