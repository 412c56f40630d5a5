#include "tools/model_generator/textures.h"

namespace varnoka::models {

namespace {

constexpr Rgb Rubber{30, 30, 32};
constexpr Rgb Groove{8, 8, 9};
constexpr Rgb Lettering{20, 20, 24};

// Three columns by five rows, a row's bits from left (4) to right (1).
struct Glyph {
    char letter;
    unsigned char rows[5];
};

constexpr Glyph Glyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 3, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'V', {5, 5, 5, 5, 2}}, {'K', {5, 5, 6, 5, 5}},
    {'-', {0, 0, 7, 0, 0}}, {' ', {0, 0, 0, 0, 0}},
};

const Glyph* FindGlyph(char letter) {
    for (const Glyph& glyph : Glyphs) {
        if (glyph.letter == letter) return &glyph;
    }
    return nullptr;
}

}  // namespace

TextureImage TreadTexture() {
    TextureImage image(256, 32, Rubber);
    // Sidewalls stay plain; the crown carries 32 chevron blocks with a groove down the middle.
    for (int block = 0; block < 32; ++block) {
        const int x = block * 8;
        for (int y = 8; y < 24; ++y) {
            const int lean = (y < 16 ? 16 - y : y - 15) / 3;
            image.At((x + lean) % 256, y) = Groove;
            image.At((x + lean + 1) % 256, y) = Groove;
        }
    }
    image.FillRect(0, 15, 256, 17, Groove);
    image.FillRect(0, 7, 256, 8, Groove);
    image.FillRect(0, 24, 256, 25, Groove);
    return image;
}

TextureImage GrilleTexture() {
    TextureImage image(64, 32, Rgb{170, 172, 176});
    image.FillRect(3, 3, 61, 29, Rgb{12, 12, 14});
    for (int y = 6; y < 28; y += 5) image.FillRect(3, y, 61, y + 2, Rgb{120, 122, 126});
    for (int x = 12; x < 60; x += 12) image.FillRect(x, 3, x + 1, 29, Rgb{90, 92, 96});
    return image;
}

TextureImage PlateTexture(const std::string& text, Rgb background) {
    TextureImage image(128, 32, Lettering);
    image.FillRect(2, 2, 126, 30, background);
    constexpr int Scale = 5;
    const int textWidth = static_cast<int>(text.size()) * 4 * Scale - Scale;
    int left = (128 - textWidth) / 2;
    const int top = (32 - 5 * Scale) / 2;
    for (const char letter : text) {
        if (const Glyph* glyph = FindGlyph(letter)) {
            for (int row = 0; row < 5; ++row) {
                for (int column = 0; column < 3; ++column) {
                    if (glyph->rows[row] & (4 >> column)) {
                        image.FillRect(left + column * Scale, top + row * Scale, left + (column + 1) * Scale,
                                       top + (row + 1) * Scale, Lettering);
                    }
                }
            }
        }
        left += 4 * Scale;
    }
    return image;
}

}  // namespace varnoka::models
