// A ByteSource over bytes already in memory, for tests, fuzzing and callers that hold a whole file.
#include "bytesource.h"
#include "sourcereading.h"

#include <algorithm>

namespace zorvane::extraction {

Result<void> MemorySource::read(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    if (!rangeFits(offset, out.size(), m_bytes.size())) {
        return Error{ErrorCode::TruncatedFile, offset};
    }
    std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return {};
}

} // namespace zorvane::extraction
