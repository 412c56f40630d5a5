#include "retained/imagefile/compressed_size_check.h"

#include <cstring>

namespace varnoka::imagefile {

namespace {

// Deflate turns one byte into at most 1032; a PNG row byte holds up to 8 one-bit pixels.
constexpr std::uint64_t PngPixelsPerByte = 1032 * 8;
// Every 8 x 8 block takes at least one bit of DC code, even in a progressive file; doubled
// for headroom.
constexpr std::uint64_t JpegPixelsPerByte = 64 * 8 * 2;
// A run-length packet of two bytes (count, 8-bit index) paints at most 128 pixels.
constexpr std::uint64_t TgaRunPixelsPerByte = 64;

constexpr std::size_t TgaTypeOffset = 2;
constexpr std::uint8_t TgaRunLengthFlag = 8;

bool IsPng(const std::uint8_t* bytes, std::size_t size) {
    return size >= 8 && std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8) == 0;
}

bool IsJpeg(const std::uint8_t* bytes, std::size_t size) { return size >= 2 && bytes[0] == 0xFF; }

}  // namespace

bool DataCanHoldPicture(const std::uint8_t* bytes, std::size_t size, std::uint64_t width, std::uint64_t height) {
    const std::uint64_t pixels = width * height;
    std::uint64_t pixelsPerByte = 1;
    if (IsPng(bytes, size)) {
        pixelsPerByte = PngPixelsPerByte;
    } else if (IsJpeg(bytes, size)) {
        pixelsPerByte = JpegPixelsPerByte;
    } else if (size > TgaTypeOffset && (bytes[TgaTypeOffset] & TgaRunLengthFlag) != 0) {
        pixelsPerByte = TgaRunPixelsPerByte;
    }
    return pixels <= static_cast<std::uint64_t>(size) * pixelsPerByte;
}

}  // namespace varnoka::imagefile
