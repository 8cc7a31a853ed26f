// ByteSources that tell a test how the reader used them.
#pragma once

#include "bytes.h"

#include "extraction/bytesource.h"

#include <cstdint>

namespace zorvane::testsupport {

// `bytes` followed by zeros up to `size`, like an installer's appended payload, without the memory
// for it; counts the reads made and the bytes they asked for.
class SparseSource final : public extraction::ByteSource {
public:
    SparseSource(Bytes bytes, std::uint64_t size) : m_bytes(std::move(bytes)), m_size(size) {}

    std::uint64_t size() const override { return m_size; }
    extraction::Result<void> read(std::uint64_t offset, std::span<std::uint8_t> out) const override;

    std::uint64_t reads() const { return m_reads; }
    std::uint64_t bytesRead() const { return m_bytesRead; }

private:
    Bytes m_bytes;
    std::uint64_t m_size;
    mutable std::uint64_t m_reads = 0;
    mutable std::uint64_t m_bytesRead = 0;
};

} // namespace zorvane::testsupport
