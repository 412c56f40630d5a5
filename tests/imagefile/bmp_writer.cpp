#include "bmp_writer.h"

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> writeBmp(const BmpContent& bmp) {
    std::vector<std::uint8_t> header;
    put32(header, bmp.headerSize);
    if (bmp.headerSize == 12) {
        put16(header, static_cast<std::uint32_t>(bmp.width));
        put16(header, static_cast<std::uint32_t>(bmp.height));
        put16(header, 1);
        put16(header, bmp.bitsPerPixel);
    } else {
        put32(header, static_cast<std::uint32_t>(bmp.width));
        put32(header, static_cast<std::uint32_t>(bmp.height));
        put16(header, 1);
        put16(header, bmp.bitsPerPixel);
        put32(header, bmp.compression);
        put32(header, 0);
        put32(header, 2835);
        put32(header, 2835);
        put32(header, static_cast<std::uint32_t>(bmp.palette.size()));
        put32(header, 0);
        if (bmp.headerSize > 40) {
            for (std::uint32_t mask : bmp.masks) put32(header, mask);
        }
        header.resize(bmp.headerSize, 0);
        if (bmp.headerSize == 40) {
            for (std::uint32_t mask : bmp.masks) put32(header, mask);
        }
    }
    for (const auto& entry : bmp.palette) {
        header.push_back(entry[2]);
        header.push_back(entry[1]);
        header.push_back(entry[0]);
        if (bmp.headerSize != 12) header.push_back(0);
    }

    std::vector<std::uint8_t> pixels = bmp.encoded;
    if (bmp.encoded.empty()) {
        const bool bottomUp = bmp.height > 0;
        for (std::size_t i = 0; i < bmp.rows.size(); ++i) {
            const auto& row = bmp.rows[bottomUp ? bmp.rows.size() - 1 - i : i];
            pixels.insert(pixels.end(), row.begin(), row.end());
            while (pixels.size() % 4 != 0) pixels.push_back(0);
        }
    }

    std::vector<std::uint8_t> file = {'B', 'M'};
    const std::uint32_t offset = 14 + static_cast<std::uint32_t>(header.size());
    put32(file, offset + static_cast<std::uint32_t>(pixels.size()));
    put32(file, 0);
    put32(file, offset);
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}
