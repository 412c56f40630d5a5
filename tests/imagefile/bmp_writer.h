#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Writes BMP files field by field, so each test states exactly what the file holds.
struct BmpContent {
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive: rows stored bottom-up
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;                     // 12 writes the old OS/2 header
    std::vector<std::uint32_t> masks;                  // written after a 40-byte header, or inside a bigger one
    std::vector<std::array<std::uint8_t, 3>> palette;  // RGB
    // Rows top first, each already packed at bitsPerPixel without padding; or, for the
    // run-length encodings, the encoded stream as it is stored.
    std::vector<std::vector<std::uint8_t>> rows;
    std::vector<std::uint8_t> encoded;
};

std::vector<std::uint8_t> WriteBmp(const BmpContent& bmp);
