// Byte vectors and the little-endian stores used to build records and to damage them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorvane::testsupport {

using Bytes = std::vector<std::uint8_t>;

void putU16(Bytes& bytes, std::size_t at, std::uint16_t value);
void putU32(Bytes& bytes, std::size_t at, std::uint32_t value);
std::uint16_t getU16(const Bytes& bytes, std::size_t at);
std::uint32_t getU32(const Bytes& bytes, std::size_t at);

} // namespace zorvane::testsupport
