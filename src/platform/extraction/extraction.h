// The extraction core's entry points: list a file's icons, read one, encode it as .ico, write it safely.
#pragma once

#include "bytesource.h"
#include "icon.h"
#include "result.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace zorvane::extraction {

// Every icon of a PE32/PE32+ or NE executable or an .ico file, in resource directory order.
Result<std::vector<IconSummary>> listIcons(const ByteSource& source);

// iconNumber >= 0: the position among the icons; < 0: the icon whose resource ID is -iconNumber.
// sizePx: every image of the icon when absent, else only the single best image for that size.
Result<Icon> readIcon(const ByteSource& source, int iconNumber, std::optional<int> sizePx = std::nullopt);

// The .ico file holding exactly these images, in this order.
Result<std::vector<std::uint8_t>> encodeIco(const Icon& icon);

// Replaces `destination` atomically: on failure an existing file there is left exactly as it was.
Result<void> writeFileAtomically(const std::filesystem::path& destination, std::span<const std::uint8_t> bytes);

// Reads icon `iconNumber` of `sourcePath` and writes it to `destinationPath` as an .ico file.
Result<void> extractIconToFile(const std::filesystem::path& sourcePath, int iconNumber,
                               const std::filesystem::path& destinationPath,
                               std::optional<int> sizePx = std::nullopt);

} // namespace zorvane::extraction
