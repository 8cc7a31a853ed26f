// Telling what kind of file a source is from its content, never from its name.
#pragma once

#include "bytesource.h"
#include "result.h"

#include <cstdint>

namespace zorvane::extraction {

enum class SourceFormat { Pe, Ne, Ico };

struct DetectedFormat {
    SourceFormat format = SourceFormat::Ico;
    // Where the PE or NE header starts; 0 for an .ico file.
    std::uint64_t headerOffset = 0;
};

Result<DetectedFormat> detectFormat(const ByteSource& source);

} // namespace zorvane::extraction
