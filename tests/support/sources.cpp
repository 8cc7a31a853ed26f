// A large source that costs only its real bytes.
#include "sources.h"

namespace zorvane::testsupport {

extraction::Result<void> SparseSource::read(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    ++m_reads;
    m_bytesRead += out.size();
    if (offset > m_size || out.size() > m_size - offset) {
        return extraction::Error{extraction::ErrorCode::TruncatedFile, offset};
    }
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::uint64_t at = offset + i;
        out[i] = at < m_bytes.size() ? m_bytes[static_cast<std::size_t>(at)] : 0;
    }
    return {};
}

} // namespace zorvane::testsupport
