#pragma once

#include <cstddef>
#include <cstdint>

#include "retained/imagefile/image.h"

namespace varnoka::imagefile {

// PNG, TGA and JPEG through stb_image, with its memory use capped for each image.
bool ReadWithStb(const std::uint8_t* bytes, std::size_t size, Image& image);

}  // namespace varnoka::imagefile
