// Decoding the picture box's image: .ico files through the extraction core, everything else through Qt.
#include "qt/picture.h"

#include "extraction/bytesource.h"
#include "extraction/extraction.h"
#include "qt/iconchoice.h"
#include "qt/iconimage.h"

#include <QByteArrayView>

#include <algorithm>
#include <array>
#include <vector>

namespace zorvane {
namespace {

// ICONDIR: reserved 0, type 1 (icon).
constexpr std::array<std::uint8_t, 4> icoSignature{0x00, 0x00, 0x01, 0x00};

QByteArrayView view(std::span<const std::uint8_t> bytes)
{
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

BoxSize boxSize(QSize box)
{
    return {static_cast<std::uint32_t>(std::max(box.width(), 0)), static_cast<std::uint32_t>(std::max(box.height(), 0))};
}

// Qt's own .ico reader would only ever show the first image, so the core reads them all and the
// box's choice is decoded on its own.
QImage decodeIco(std::span<const std::uint8_t> bytes, QSize box)
{
    const extraction::MemorySource source(bytes);
    const auto icon = extraction::readIcon(source, 0);
    if (!icon)
        return {};
    std::vector<extraction::IconImageInfo> infos;
    infos.reserve(icon->images.size());
    for (const auto& image : icon->images)
        infos.push_back(image.info);
    const auto chosen = chooseIconImage(infos, boxSize(box));
    if (!chosen)
        return {};
    return decodeIconImage(icon->images[*chosen]);
}

} // namespace

QImage pictureForBox(std::span<const std::uint8_t> bytes, QSize box)
{
    const bool isIco = bytes.size() >= icoSignature.size() && std::equal(icoSignature.begin(), icoSignature.end(), bytes.begin());
    QImage image = isIco ? decodeIco(bytes, box) : QImage::fromData(view(bytes));
    if (!image.isNull() && (image.width() > box.width() || image.height() > box.height()))
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace zorvane
