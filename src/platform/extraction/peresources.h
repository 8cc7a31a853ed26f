// The icon resources of a PE32 or PE32+ image, found through its resource data directory.
#pragma once

#include "bytesource.h"
#include "iconresources.h"
#include "result.h"

#include <cstdint>
#include <memory>

namespace zorvane::extraction {

// `peOffset` is where the "PE\0\0" signature was found. An image without resources has no groups.
Result<std::unique_ptr<IconResources>> openPeResources(const ByteSource& source, std::uint64_t peOffset);

} // namespace zorvane::extraction
