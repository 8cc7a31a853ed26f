// The image a picture box shows for a block of bytes.
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <span>

namespace zorvane {

// From an .ico the image chooseIconImage picks, from any other format its only image; scaled down
// smoothly, keeping its proportions, when it is larger than the box.  Null when the bytes are no image.
QImage pictureForBox(std::span<const std::uint8_t> bytes, QSize box);

} // namespace zorvane
