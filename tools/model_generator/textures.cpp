#include "tools/model_generator/textures.h"

namespace varnoka::models {

namespace {

constexpr Rgb kRubber{30, 30, 32};
constexpr Rgb kGroove{8, 8, 9};
constexpr Rgb kLettering{20, 20, 24};

// Three columns by five rows, a row's bits from left (4) to right (1).
struct Glyph {
    char letter;
    unsigned char rows[5];
};

constexpr Glyph kGlyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 3, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'V', {5, 5, 5, 5, 2}}, {'K', {5, 5, 6, 5, 5}},
    {'-', {0, 0, 7, 0, 0}}, {' ', {0, 0, 0, 0, 0}},
};

const Glyph* findGlyph(char letter) {
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.letter == letter) return &glyph;
    }
    return nullptr;
}

}  // namespace

TextureImage treadTexture() {
    TextureImage image(256, 32, kRubber);
    // Sidewalls stay plain; the crown carries 32 chevron blocks with a groove down the middle.
    for (int block = 0; block < 32; ++block) {
        const int x = block * 8;
        for (int y = 8; y < 24; ++y) {
            const int lean = (y < 16 ? 16 - y : y - 15) / 3;
            image.at((x + lean) % 256, y) = kGroove;
            image.at((x + lean + 1) % 256, y) = kGroove;
        }
    }
    image.fillRect(0, 15, 256, 17, kGroove);
    image.fillRect(0, 7, 256, 8, kGroove);
    image.fillRect(0, 24, 256, 25, kGroove);
    return image;
}

TextureImage grilleTexture() {
    TextureImage image(64, 32, Rgb{170, 172, 176});
    image.fillRect(3, 3, 61, 29, Rgb{12, 12, 14});
    for (int y = 6; y < 28; y += 5) image.fillRect(3, y, 61, y + 2, Rgb{120, 122, 126});
    for (int x = 12; x < 60; x += 12) image.fillRect(x, 3, x + 1, 29, Rgb{90, 92, 96});
    return image;
}

TextureImage plateTexture(const std::string& text, Rgb background) {
    TextureImage image(128, 32, kLettering);
    image.fillRect(2, 2, 126, 30, background);
    constexpr int kScale = 5;
    const int textWidth = static_cast<int>(text.size()) * 4 * kScale - kScale;
    int left = (128 - textWidth) / 2;
    const int top = (32 - 5 * kScale) / 2;
    for (const char letter : text) {
        if (const Glyph* glyph = findGlyph(letter)) {
            for (int row = 0; row < 5; ++row) {
                for (int column = 0; column < 3; ++column) {
                    if (glyph->rows[row] & (4 >> column)) {
                        image.fillRect(left + column * kScale, top + row * kScale, left + (column + 1) * kScale,
                                       top + (row + 1) * kScale, kLettering);
                    }
                }
            }
        }
        left += 4 * kScale;
    }
    return image;
}

}  // namespace varnoka::models
