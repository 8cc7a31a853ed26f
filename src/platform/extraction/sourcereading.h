// Bounds-checked reads of records and blocks from a ByteSource, each failing with the caller's own code.
#pragma once

#include "bytesource.h"
#include "result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorvane::extraction {

// The one bounds idiom: [offset, offset + length) lies within [0, size), without any sum that can wrap.
constexpr bool rangeFits(std::uint64_t offset, std::uint64_t length, std::uint64_t size)
{
    return !(offset > size || length > size - offset);
}

// `outside` names what is wrong when the range does not lie within the source.
template <std::size_t N>
Result<std::array<std::uint8_t, N>> readRecord(const ByteSource& source, std::uint64_t offset, ErrorCode outside)
{
    if (!rangeFits(offset, N, source.size())) {
        return Error{outside, offset};
    }
    std::array<std::uint8_t, N> record{};
    if (auto read = source.read(offset, record); !read) {
        return read.error();
    }
    return record;
}

// The caller caps `length` by a named limit before asking.
Result<std::vector<std::uint8_t>> readBlock(const ByteSource& source, std::uint64_t offset, std::uint64_t length,
                                            ErrorCode outside);

} // namespace zorvane::extraction
