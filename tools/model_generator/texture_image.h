#pragma once
// An RGB picture for a texture, and its BMP file bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace varnoka::models {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct TextureImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // rows from the top

    TextureImage(int w, int h, Rgb fill) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    void FillRect(int x0, int y0, int x1, int y1, Rgb colour);  // [x0, x1) x [y0, y1), clipped
};

// A 24-bit uncompressed bottom-up BMP.
std::string EncodeBmp(const TextureImage& image);

}  // namespace varnoka::models
