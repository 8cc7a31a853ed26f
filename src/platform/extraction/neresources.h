// The icon resources of a 16-bit NE executable, found through its resource table.
#pragma once

#include "bytesource.h"
#include "iconresources.h"
#include "result.h"

#include <cstdint>
#include <memory>

namespace zorvane::extraction {

// `neOffset` is where the "NE" signature was found. An executable without resources has no groups.
Result<std::unique_ptr<IconResources>> openNeResources(const ByteSource& source, std::uint64_t neOffset);

} // namespace zorvane::extraction
