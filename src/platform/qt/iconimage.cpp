// PNG images decode directly; a bitmap goes through Qt's ICO reader as a one-image .ico, with the
// transparency of its mask put back where that reader loses it.
#include "qt/iconimage.h"

#include "extraction/extraction.h"
#include "qt/iconmask.h"

#include <QByteArrayView>

#include <span>

namespace zorvane {
namespace {

QByteArrayView view(std::span<const std::uint8_t> bytes)
{
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

QImage decodeIconImage(const extraction::IconImage& image)
{
    if (image.info.format == extraction::ImageFormat::Png)
        return QImage::fromData(view(image.data), "PNG");
    const auto single = extraction::encodeIco(extraction::Icon{{image}});
    if (!single)
        return {};
    return withMaskTransparency(QImage::fromData(view(*single), "ICO"), image.data);
}

} // namespace zorvane
