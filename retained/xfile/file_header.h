#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace varnoka::xfile {

constexpr std::size_t FileHeaderSize = 16;

enum class Encoding { Text, Binary };

struct FileHeader {
    Encoding encoding = Encoding::Text;
    bool compressed = false;
    unsigned floatBytes = 4;  // size of a binary float: 4 or 8
};

// Reads "xof 03mmFFFFssss"; nothing when the bytes are not a header we read.
std::optional<FileHeader> ParseFileHeader(const std::uint8_t* bytes, std::size_t size);

}  // namespace varnoka::xfile
