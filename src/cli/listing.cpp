// Formats the -l listing; resource names come from the file, so they are quoted and escaped.
#include "listing.h"

#include <array>
#include <cstdio>

namespace zorvane::cli {
namespace {

// A hostile name must not forge columns or lines in the listing, nor drive the terminal.
std::string quotedName(const std::string& name)
{
    std::string text = "\"";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (byte < 0x20 || byte == 0x7f) {
            std::array<char, 5> escaped{};
            std::snprintf(escaped.data(), escaped.size(), "\\x%02x", byte);
            text += escaped.data();
        } else {
            text += c;
        }
    }
    return text + "\"";
}

// An .ico source has no resource name at all.
std::string resourceName(const extraction::ResourceName& name)
{
    if (name.id) {
        return std::to_string(*name.id);
    }
    return name.name.empty() ? "-" : quotedName(name.name);
}

std::string language(std::uint16_t id)
{
    std::array<char, 7> text{};
    std::snprintf(text.data(), text.size(), "0x%04x", id);
    return text.data();
}

std::string imageDescription(const extraction::IconImageInfo& image)
{
    return std::to_string(image.width) + "×" + std::to_string(image.height) + " " + std::to_string(image.bitCount)
        + "位 " + (image.format == extraction::ImageFormat::Png ? "PNG" : "BMP") + " "
        + std::to_string(image.byteCount) + "字节";
}

} // namespace

std::string listingLine(const extraction::IconSummary& icon)
{
    std::string line = std::to_string(icon.number) + "\t" + resourceName(icon.name) + "\t" + language(icon.language)
        + "\t";
    for (std::size_t index = 0; index < icon.images.size(); ++index) {
        line += (index == 0 ? "" : ", ") + imageDescription(icon.images[index]);
    }
    return line;
}

} // namespace zorvane::cli
