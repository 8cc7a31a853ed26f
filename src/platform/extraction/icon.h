// An icon as the extraction core hands it out: its images, each described as it really is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zorvane::extraction {

// A resource is named by a numeric ID or by a string (UTF-8 here, UTF-16 in the file).
struct ResourceName {
    std::optional<std::uint16_t> id;
    std::string name;
};

enum class ImageFormat { Bmp, Png };

struct IconImageInfo {
    std::uint32_t width = 0;   // in pixels; 256 stays 256 here, the .ico directory stores it as 0
    std::uint32_t height = 0;  // of the image, not counting the AND mask
    std::uint8_t colorCount = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    ImageFormat format = ImageFormat::Bmp;
    std::uint32_t byteCount = 0;
};

struct IconImage {
    IconImageInfo info;
    std::vector<std::uint8_t> data;  // verbatim from the source
};

struct Icon {
    std::vector<IconImage> images;   // in group order
};

// One icon of a file, as `listIcons` reports it, without the image data.
struct IconSummary {
    int number = 0;                  // zero-based position among the file's icons
    ResourceName name;
    std::uint16_t language = 0;
    std::vector<IconImageInfo> images;
};

} // namespace zorvane::extraction
