#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "retained/imagefile/image.h"
#include "retained/io/load_status.h"

namespace varnoka::imagefile {

// Reads BMP, PPM (P6, P3), PNG, TGA or JPEG, told apart by content rather than by name.
// On anything but Ok the image is left empty.
LoadStatus ReadImage(const std::uint8_t* bytes, std::size_t size, Image& image);

LoadStatus LoadImageFile(const std::string& path, Image& image);

}  // namespace varnoka::imagefile
