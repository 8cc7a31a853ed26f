// Chooses, decodes and fits the image.
#include "thumbnail.h"

#include "extraction/extraction.h"
#include "qt/iconimage.h"

#include <QBuffer>
#include <QSize>

#include <algorithm>

namespace zorvane::thumbnailer {
namespace {

constexpr int firstIcon = 0;

// Smaller on both sides when the image is larger than `sizePx` either way; the aspect ratio is kept.
QSize fittedSize(QSize imageSize, int sizePx)
{
    if (imageSize.width() <= sizePx && imageSize.height() <= sizePx)
        return imageSize;
    return imageSize.scaled(sizePx, sizePx, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

} // namespace

extraction::Result<QImage> makeThumbnail(const extraction::ByteSource& source, int sizePx)
{
    auto icon = extraction::readIcon(source, firstIcon, sizePx);
    if (!icon)
        return icon.error();
    if (icon->images.empty())
        return extraction::Error{extraction::ErrorCode::NoIcons, 0};
    QImage image = decodeIconImage(icon->images.front());
    if (image.isNull())
        return extraction::Error{extraction::ErrorCode::BadIconImage, 0};

    // Premultiplied, so that smooth scaling does not bleed the colour of transparent pixels into edges.
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    const QSize size = fittedSize(image.size(), sizePx);
    if (size != image.size())
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

QByteArray encodePng(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG"))
        return {};
    return png;
}

} // namespace zorvane::thumbnailer
