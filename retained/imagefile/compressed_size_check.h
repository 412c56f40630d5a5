#pragma once

#include <cstddef>
#include <cstdint>

namespace varnoka::imagefile {

// Whether a PNG, JPEG or TGA of `size` bytes can hold a width x height picture at all,
// given the best each format can compress. stb fills what a truncated file lacks with
// zeros, so without this a few bytes could make it decode a huge blank picture.
bool DataCanHoldPicture(const std::uint8_t* bytes, std::size_t size, std::uint64_t width, std::uint64_t height);

}  // namespace varnoka::imagefile
