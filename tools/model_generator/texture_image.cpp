#include "tools/model_generator/texture_image.h"

#include <algorithm>

namespace varnoka::models {

void TextureImage::FillRect(int x0, int y0, int x1, int y1, Rgb colour) {
    for (int y = std::max(y0, 0); y < std::min(y1, height); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, width); ++x) At(x, y) = colour;
    }
}

namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string EncodeBmp(const TextureImage& image) {
    constexpr std::uint32_t HeaderBytes = 14 + 40;
    const auto rowBytes = static_cast<std::uint32_t>((image.width * 3 + 3) / 4 * 4);
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(image.height);
    std::string out;
    out += "BM";
    PutLittleEndian(out, HeaderBytes + pixelBytes, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, HeaderBytes, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(image.width), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(image.height), 4);
    PutLittleEndian(out, 1, 2);   // planes
    PutLittleEndian(out, 24, 2);  // bits per pixel
    PutLittleEndian(out, 0, 4);   // no compression
    PutLittleEndian(out, pixelBytes, 4);
    PutLittleEndian(out, 2835, 4);  // 72 dpi
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 0, 4);
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
