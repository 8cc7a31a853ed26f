// The caps that keep any input, however hostile, from making the readers allocate or work without bound.
#pragma once

#include <cstdint>

namespace zorvane::extraction::limits {

// Real executables have a few dozen sections; the format allows 65535, each 40 bytes to read.
inline constexpr std::uint32_t maxSections = 1024;

// Directory entries examined while walking one file's resource tree, however they are reached:
// a system library with thousands of icons needs a few ten thousand.
inline constexpr std::uint32_t maxResourceEntries = 262144;

// Images in one icon, whether a group or an .ico file claims them.
inline constexpr std::uint32_t maxImagesPerIcon = 1024;

// One image; a 256 x 256 32-bit bitmap is 270 KiB, a large PNG a few MiB.
inline constexpr std::uint64_t maxImageBytes = 16u * 1024 * 1024;

// All images of one icon together, which is also about the size of the .ico written.
inline constexpr std::uint64_t maxIconBytes = 64u * 1024 * 1024;

} // namespace zorvane::extraction::limits
