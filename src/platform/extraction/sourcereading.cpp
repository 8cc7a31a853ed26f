// Reading a variable-length block once its range is known to lie within the source.
#include "sourcereading.h"

namespace zorvane::extraction {

Result<std::vector<std::uint8_t>> readBlock(const ByteSource& source, std::uint64_t offset, std::uint64_t length,
                                            ErrorCode outside)
{
    if (!rangeFits(offset, length, source.size())) {
        return Error{outside, offset};
    }
    std::vector<std::uint8_t> block(static_cast<std::size_t>(length));
    if (auto read = source.read(offset, block); !read) {
        return read.error();
    }
    return block;
}

} // namespace zorvane::extraction
