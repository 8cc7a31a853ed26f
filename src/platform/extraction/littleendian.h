// Field decoding from byte buffers whose length the caller has already checked.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zorvane::extraction {

inline std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    assert(at <= bytes.size() && bytes.size() - at >= 2);
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    assert(at <= bytes.size() && bytes.size() - at >= 4);
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8)
        | (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

inline std::int32_t readI32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::int32_t>(readU32(bytes, at));
}

// PNG is the one big-endian format here.
inline std::uint32_t readU32BigEndian(std::span<const std::uint8_t> bytes, std::size_t at)
{
    assert(at <= bytes.size() && bytes.size() - at >= 4);
    return (static_cast<std::uint32_t>(bytes[at]) << 24) | (static_cast<std::uint32_t>(bytes[at + 1]) << 16)
        | (static_cast<std::uint32_t>(bytes[at + 2]) << 8) | static_cast<std::uint32_t>(bytes[at + 3]);
}

inline void writeU16(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t value)
{
    assert(at <= bytes.size() && bytes.size() - at >= 2);
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void writeU32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value)
{
    assert(at <= bytes.size() && bytes.size() - at >= 4);
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

} // namespace zorvane::extraction
