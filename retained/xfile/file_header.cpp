#include "retained/xfile/file_header.h"

#include <cstring>

namespace varnoka::xfile {

namespace {

bool IsDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<FileHeader> ParseFileHeader(const std::uint8_t* bytes, std::size_t size) {
    if (size < FileHeaderSize || std::memcmp(bytes, "xof 03", 6) != 0) return std::nullopt;
    // Minor versions differ only in templates a mesh reader does not need.
    if (!IsDigit(bytes[6]) || !IsDigit(bytes[7])) return std::nullopt;

    FileHeader header;
    const char* format = reinterpret_cast<const char*>(bytes + 8);
    if (std::memcmp(format, "txt ", 4) == 0) {
        header.encoding = Encoding::Text;
    } else if (std::memcmp(format, "bin ", 4) == 0) {
        header.encoding = Encoding::Binary;
    } else if (std::memcmp(format, "tzip", 4) == 0) {
        header.encoding = Encoding::Text;
        header.compressed = true;
    } else if (std::memcmp(format, "bzip", 4) == 0) {
        header.encoding = Encoding::Binary;
        header.compressed = true;
    } else {
        return std::nullopt;
    }

    const char* floatSize = reinterpret_cast<const char*>(bytes + 12);
    if (std::memcmp(floatSize, "0032", 4) == 0) {
        header.floatBytes = 4;
    } else if (std::memcmp(floatSize, "0064", 4) == 0) {
        header.floatBytes = 8;
    } else {
        return std::nullopt;
    }
    return header;
}

}  // namespace varnoka::xfile
