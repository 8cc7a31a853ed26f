// Little-endian stores and loads on byte vectors.
#include "bytes.h"

#include <cassert>

namespace zorvane::testsupport {

void putU16(Bytes& bytes, std::size_t at, std::uint16_t value)
{
    assert(at + 2 <= bytes.size());
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void putU32(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    assert(at + 4 <= bytes.size());
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint16_t getU16(const Bytes& bytes, std::size_t at)
{
    assert(at + 2 <= bytes.size());
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t getU32(const Bytes& bytes, std::size_t at)
{
    assert(at + 4 <= bytes.size());
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= std::uint32_t{bytes[at + i]} << (8 * i);
    }
    return value;
}

} // namespace zorvane::testsupport
