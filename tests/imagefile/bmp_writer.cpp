#include "bmp_writer.h"

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> WriteBmp(const BmpContent& bmp) {
    std::vector<std::uint8_t> header;
    Put32(header, bmp.headerSize);
    if (bmp.headerSize == 12) {
        Put16(header, static_cast<std::uint32_t>(bmp.width));
        Put16(header, static_cast<std::uint32_t>(bmp.height));
        Put16(header, 1);
        Put16(header, bmp.bitsPerPixel);
    } else {
        Put32(header, static_cast<std::uint32_t>(bmp.width));
        Put32(header, static_cast<std::uint32_t>(bmp.height));
        Put16(header, 1);
        Put16(header, bmp.bitsPerPixel);
        Put32(header, bmp.compression);
        Put32(header, 0);
        Put32(header, 2835);
        Put32(header, 2835);
        Put32(header, static_cast<std::uint32_t>(bmp.palette.size()));
        Put32(header, 0);
        if (bmp.headerSize > 40) {
            for (std::uint32_t mask : bmp.masks) Put32(header, mask);
        }
        header.resize(bmp.headerSize, 0);
        if (bmp.headerSize == 40) {
            for (std::uint32_t mask : bmp.masks) Put32(header, mask);
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
    Put32(file, offset + static_cast<std::uint32_t>(pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}
