#pragma once

#include <cstddef>
#include <cstdint>

#include "retained/imagefile/image.h"

namespace varnoka::imagefile {

// Binary (P6) and plain (P3) portable pixmaps, any maximum value up to 65535.
bool ReadPpm(const std::uint8_t* bytes, std::size_t size, Image& image);

}  // namespace varnoka::imagefile
