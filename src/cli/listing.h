// The line that -l prints for one icon: number, resource ID or name, language, and its images.
#pragma once

#include "extraction/icon.h"

#include <string>

namespace zorvane::cli {

// Tab-separated columns, e.g. `1	7	0x0409	16×16 8位 BMP 1384字节, 256×256 32位 PNG 5143字节`.
std::string listingLine(const extraction::IconSummary& icon);

} // namespace zorvane::cli
