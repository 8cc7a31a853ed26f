// One image of an icon decoded the way Windows shows it, for the picture box and the thumbnailer.
#pragma once

#include "extraction/icon.h"

#include <QImage>

namespace zorvane {

// Null when the image data cannot be decoded.
QImage decodeIconImage(const extraction::IconImage& image);

} // namespace zorvane
