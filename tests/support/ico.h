// .ico files built in memory, honest or with the directory claims a test chooses.
#pragma once

#include "bytes.h"
#include "images.h"

#include <vector>

namespace zorvane::testsupport {

struct IcoImage {
    ImageClaim claim;
    Bytes data;
};

// ICONDIR, one ICONDIRENTRY per image (offsets computed, claims as given), the images contiguous.
Bytes buildIco(const std::vector<IcoImage>& images);

// The same with real images and honest claims.
Bytes buildIco(const std::vector<ImageShape>& images);

} // namespace zorvane::testsupport
