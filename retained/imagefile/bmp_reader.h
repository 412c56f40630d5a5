#pragma once

#include <cstddef>
#include <cstdint>

#include "retained/imagefile/image.h"

namespace varnoka::imagefile {

// Windows and OS/2 bitmaps: 1, 4 and 8 bits with a palette (8 and 4 also run-length
// encoded), 16 and 32 bits with or without bit-field masks, 24 bits; bottom-up or top-down.
bool ReadBmp(const std::uint8_t* bytes, std::size_t size, Image& image);

}  // namespace varnoka::imagefile
