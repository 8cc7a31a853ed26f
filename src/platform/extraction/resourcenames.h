// Resource names are stored as UTF-16LE; the rest of the program speaks UTF-8.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zorvane::extraction {

// Unpaired surrogates become U+FFFD rather than failing: a name is only ever shown.
std::string utf8FromUtf16LittleEndian(std::span<const std::uint8_t> bytes);

// NE names are 8-bit text in a code page the file does not record; Latin-1 keeps every byte visible.
std::string utf8FromLatin1(std::span<const std::uint8_t> bytes);

} // namespace zorvane::extraction
