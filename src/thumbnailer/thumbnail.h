// A file-manager thumbnail of an executable's first icon, as the freedesktop thumbnail rules want it.
#pragma once

#include "extraction/bytesource.h"
#include "extraction/result.h"

#include <QByteArray>
#include <QImage>

namespace zorvane::thumbnailer {

// Icon 0's best image for `sizePx`, fitted within sizePx × sizePx with its transparency; never enlarged.
extraction::Result<QImage> makeThumbnail(const extraction::ByteSource& source, int sizePx);

// The image as a PNG file's bytes; empty when it cannot be encoded.
QByteArray encodePng(const QImage& image);

} // namespace zorvane::thumbnailer
