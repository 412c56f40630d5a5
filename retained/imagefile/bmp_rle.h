#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "retained/imagefile/image.h"

namespace varnoka::imagefile {

using BmpPalette = std::array<std::array<std::uint8_t, 4>, 256>;

struct RleTarget {
    Image& image;  // already sized; pixels the runs never reach stay transparent black
    const BmpPalette& palette;
    bool topDown;
};

// Decodes BI_RLE8 (bitsPerPixel 8) or BI_RLE4 (4) data. Runs past the right edge are cut
// off; false when the data ends before the end-of-bitmap mark or moves below the image.
bool DecodeBmpRle(const std::uint8_t* data, std::size_t size, unsigned bitsPerPixel, const RleTarget& target);

}  // namespace varnoka::imagefile
