#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace varnoka::xfile {

// Unpacks the body of a "tzip"/"bzip" file (everything after the 16-byte header): a 32-bit
// total size that counts the header, then blocks of 16-bit unpacked size, 16-bit packed size,
// "CK" and raw deflate data that may refer back into the previous block. False when the
// blocks are damaged or do not add up to the stated total.
bool DecompressBody(const std::uint8_t* body, std::size_t size, std::vector<std::uint8_t>& out);

}  // namespace varnoka::xfile
