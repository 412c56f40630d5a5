#include "retained/imagefile/compressed_size_check.h"

#include <cstring>

namespace varnoka::imagefile {

namespace {

// Deflate turns one byte into at most 1032; a PNG row byte holds up to 8 one-bit pixels.
constexpr std::uint64_t kPngPixelsPerByte = 1032 * 8;
// Every 8 x 8 block takes at least one bit of DC code, even in a progressive file; doubled
// for headroom.
constexpr std::uint64_t kJpegPixelsPerByte = 64 * 8 * 2;
// A run-length packet of two bytes (count, 8-bit index) paints at most 128 pixels.
constexpr std::uint64_t kTgaRunPixelsPerByte = 64;

constexpr std::size_t kTgaTypeOffset = 2;
constexpr std::uint8_t kTgaRunLengthFlag = 8;

bool isPng(const std::uint8_t* bytes, std::size_t size) {
    return size >= 8 && std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8) == 0;
}

bool isJpeg(const std::uint8_t* bytes, std::size_t size) { return size >= 2 && bytes[0] == 0xFF; }

}  // namespace

bool dataCanHoldPicture(const std::uint8_t* bytes, std::size_t size, std::uint64_t width, std::uint64_t height) {
    const std::uint64_t pixels = width * height;
    std::uint64_t pixelsPerByte = 1;
    if (isPng(bytes, size)) {
        pixelsPerByte = kPngPixelsPerByte;
    } else if (isJpeg(bytes, size)) {
        pixelsPerByte = kJpegPixelsPerByte;
    } else if (size > kTgaTypeOffset && (bytes[kTgaTypeOffset] & kTgaRunLengthFlag) != 0) {
        pixelsPerByte = kTgaRunPixelsPerByte;
    }
    return pixels <= static_cast<std::uint64_t>(size) * pixelsPerByte;
}

}  // namespace varnoka::imagefile
