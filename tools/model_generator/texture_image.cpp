#include "tools/model_generator/texture_image.h"

#include <algorithm>

namespace varnoka::models {

void TextureImage::fillRect(int x0, int y0, int x1, int y1, Rgb colour) {
    for (int y = std::max(y0, 0); y < std::min(y1, height); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, width); ++x) at(x, y) = colour;
    }
}

namespace {

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string encodeBmp(const TextureImage& image) {
    constexpr std::uint32_t kHeaderBytes = 14 + 40;
    const auto rowBytes = static_cast<std::uint32_t>((image.width * 3 + 3) / 4 * 4);
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(image.height);
    std::string out;
    out += "BM";
    putLittleEndian(out, kHeaderBytes + pixelBytes, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, kHeaderBytes, 4);
    putLittleEndian(out, 40, 4);
    putLittleEndian(out, static_cast<std::uint32_t>(image.width), 4);
    putLittleEndian(out, static_cast<std::uint32_t>(image.height), 4);
    putLittleEndian(out, 1, 2);   // planes
    putLittleEndian(out, 24, 2);  // bits per pixel
    putLittleEndian(out, 0, 4);   // no compression
    putLittleEndian(out, pixelBytes, 4);
    putLittleEndian(out, 2835, 4);  // 72 dpi
    putLittleEndian(out, 2835, 4);
    putLittleEndian(out, 0, 4);
    putLittleEndian(out, 0, 4);
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        for (int x = 0; x < image.width; ++x) {
            const Rgb& p = image.pixels[static_cast<std::size_t>(y) * image.width + x];
            out += static_cast<char>(p.b);
            out += static_cast<char>(p.g);
            out += static_cast<char>(p.r);
        }
        out.append(rowBytes - (out.size() - start), '\0');
    }
    return out;
}

}  // namespace varnoka::models
