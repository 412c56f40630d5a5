#pragma once

#include <cstdint>
#include <vector>

namespace varnoka::imagefile {

// Eight-bit RGBA, rows from the top as the image is displayed.
struct Image {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;  // width * height * 4
};

// Larger images are refused as bad files: far beyond any texture, and a forged header
// must not decide how much we allocate.
constexpr std::uint32_t MaxImageSide = 16384;
constexpr std::uint64_t MaxImagePixels = std::uint64_t{1} << 24;

inline bool ImageSizeAllowed(std::uint64_t width, std::uint64_t height) {
    return width > 0 && height > 0 && width <= MaxImageSide && height <= MaxImageSide &&
           width * height <= MaxImagePixels;
}

}  // namespace varnoka::imagefile
