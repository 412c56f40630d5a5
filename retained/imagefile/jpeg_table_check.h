#pragma once

#include <cstddef>
#include <cstdint>

namespace varnoka::imagefile {

// The stb_image we build with (2.27) trusts the code counts of a JPEG Huffman table and
// writes past its buffer when they add up to more than 256. This walks the markers the way
// its decoder does and checks every table it would build; false means refuse the file.
bool JpegHuffmanTablesFit(const std::uint8_t* bytes, std::size_t size);

}  // namespace varnoka::imagefile
