#include "retained/imagefile/bmp_reader.h"

#include "retained/imagefile/bmp_rle.h"
#include "retained/io/little_endian.h"

namespace varnoka::imagefile {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t InfoHeaderSize = 40;

enum Compression : std::uint32_t {
    Rgb = 0,
    Rle8 = 1,
    Rle4 = 2,
    BitFields = 3,
    AlphaBitFields = 6,
};

// One channel of a bit-field pixel, widened or narrowed to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    unsigned shift = 0;
    std::uint32_t maximum = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (mask == 0) return;
        while (((mask >> shift) & 1u) == 0) ++shift;
        maximum = mask >> shift;
    }

    std::uint8_t Extract(std::uint32_t pixel, std::uint8_t ifAbsent) const {
        if (mask == 0) return ifAbsent;
        const std::uint64_t value = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>((value * 255u + maximum / 2) / maximum);
    }
};

struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    unsigned bitsPerPixel = 0;
    std::uint32_t compression = Rgb;
    std::uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    bool hasMasks = false;
    std::size_t paletteOffset = 0;
    std::size_t paletteEntryBytes = 4;
    std::size_t paletteCount = 0;
    std::size_t pixelOffset = 0;
};

bool ReadLayout(const std::uint8_t* bytes, std::size_t size, BmpLayout& layout) {
    LittleEndianReader file(bytes, size);
    std::uint32_t pixelOffset = 0;
    std::uint32_t headerSize = 0;
    if (!file.Skip(10) || !file.Read(pixelOffset) || !file.Read(headerSize)) return false;
    layout.pixelOffset = pixelOffset;
    if (headerSize < CoreHeaderSize || headerSize > size - FileHeaderSize) return false;
    const std::uint8_t* header = bytes + FileHeaderSize;
    LittleEndianReader fields(header + 4, header + headerSize);  // past the header's own size

    std::uint32_t colorsUsed = 0;
    std::uint16_t bitsPerPixel = 0;
    if (headerSize < InfoHeaderSize) {
        // The old OS/2 header: 16-bit sizes and 3-byte palette entries.
        if (headerSize != CoreHeaderSize) return false;
        std::uint16_t width = 0;
        std::uint16_t height = 0;
        if (!fields.Read(width) || !fields.Read(height) || !fields.Skip(2) || !fields.Read(bitsPerPixel)) return false;
        layout.width = width;
        layout.height = height;
        layout.paletteEntryBytes = 3;
    } else {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        // Between bits per pixel and colours used: image size and resolution, which we ignore.
        if (!fields.Read(width) || !fields.Read(height) || !fields.Skip(2) || !fields.Read(bitsPerPixel) ||
            !fields.Read(layout.compression) || !fields.Skip(12) || !fields.Read(colorsUsed)) {
            return false;
        }
        layout.width = static_cast<std::int32_t>(width);
        layout.height = static_cast<std::int32_t>(height);
    }
    layout.bitsPerPixel = bitsPerPixel;
    if (layout.height < 0) {
        layout.topDown = true;
        layout.height = -layout.height;
    }
    if (!ImageSizeAllowed(static_cast<std::uint64_t>(layout.width), static_cast<std::uint64_t>(layout.height))) {
        return false;
    }

    std::size_t afterHeader = FileHeaderSize + headerSize;
    if (layout.compression == BitFields || layout.compression == AlphaBitFields) {
        if (layout.bitsPerPixel != 16 && layout.bitsPerPixel != 32) return false;
        const std::size_t maskCount = layout.compression == AlphaBitFields ? 4 : 3;
        LittleEndianReader maskBytes(header + InfoHeaderSize, bytes + size);
        if (headerSize == InfoHeaderSize) {
            // The masks follow a plain info header; newer headers hold them inside.
            if (size - afterHeader < maskCount * 4) return false;
            afterHeader += maskCount * 4;
        } else if (headerSize < InfoHeaderSize + maskCount * 4) {
            return false;
        }
        // Headers big enough to hold an alpha mask carry one even for plain bit fields.
        const bool alphaInHeader = headerSize >= InfoHeaderSize + 16;
        const std::size_t readCount = alphaInHeader ? 4 : maskCount;
        for (std::size_t i = 0; i < readCount; ++i)
            if (!maskBytes.Read(layout.masks[i])) return false;
        layout.hasMasks = true;
    } else if (layout.compression == Rle8) {
        if (layout.bitsPerPixel != 8) return false;
    } else if (layout.compression == Rle4) {
        if (layout.bitsPerPixel != 4) return false;
    } else if (layout.compression != Rgb) {
        return false;
    }

    switch (layout.bitsPerPixel) {
        case 1:
        case 4:
        case 8: {
            const std::size_t maxColors = std::size_t{1} << layout.bitsPerPixel;
            layout.paletteCount = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
            layout.paletteOffset = afterHeader;
            // Writers sometimes claim more entries than fit before the pixels; use what is there.
            const std::size_t room = (layout.pixelOffset > afterHeader ? layout.pixelOffset : size) - afterHeader;
            if (layout.paletteCount * layout.paletteEntryBytes > room) {
                layout.paletteCount = room / layout.paletteEntryBytes;
            }
            if (layout.paletteCount * layout.paletteEntryBytes > size - afterHeader) return false;
            break;
        }
        case 16:
        case 24:
        case 32:
            break;
        default:
            return false;
    }
    return layout.pixelOffset <= size;
}

using Palette = BmpPalette;

std::size_t RowStride(const BmpLayout& layout) {
    return (static_cast<std::size_t>(layout.width) * layout.bitsPerPixel + 31) / 32 * 4;
}

// A row's pixels without the padding after them.
std::size_t RowBytes(const BmpLayout& layout) {
    return (static_cast<std::size_t>(layout.width) * layout.bitsPerPixel + 7) / 8;
}

// Checked before the image is allocated, so a forged size costs nothing.
bool PixelDataFits(std::size_t size, const BmpLayout& layout) {
    // The last row's padding is often left out.
    const std::size_t needed = RowStride(layout) * (static_cast<std::size_t>(layout.height) - 1) + RowBytes(layout);
    return needed <= size - layout.pixelOffset;
}

// A 16- or 32-bit bit-field pixel.
bool ReadBitFieldPixel(LittleEndianReader& row, unsigned bitsPerPixel, std::uint32_t& pixel) {
    if (bitsPerPixel == 32) return row.Read(pixel);
    std::uint16_t narrow = 0;
    if (!row.Read(narrow)) return false;
    pixel = narrow;
    return true;
}

Palette ReadPalette(const std::uint8_t* bytes, const BmpLayout& layout) {
    Palette palette{};
    for (auto& entry : palette) entry = {0, 0, 0, 255};  // indices past the palette read as black
    for (std::size_t i = 0; i < layout.paletteCount; ++i) {
        const std::uint8_t* p = bytes + layout.paletteOffset + i * layout.paletteEntryBytes;
        palette[i] = {p[2], p[1], p[0], 255};
    }
    return palette;
}

bool ReadUncompressed(const std::uint8_t* bytes, const BmpLayout& layout, const Palette& palette, Image& image) {
    const std::size_t width = static_cast<std::size_t>(layout.width);
    const std::size_t height = static_cast<std::size_t>(layout.height);
    const std::size_t stride = RowStride(layout);

    std::uint32_t masks[4] = {0x7C00, 0x03E0, 0x001F, 0};  // 16-bit default: 5-5-5
    if (layout.bitsPerPixel == 32) {
        masks[0] = 0x00FF0000;
        masks[1] = 0x0000FF00;
        masks[2] = 0x000000FF;
    }
    if (layout.hasMasks) {
        for (int i = 0; i < 4; ++i) masks[i] = layout.masks[i];
    }
    const Channel channels[4] = {Channel(masks[0]), Channel(masks[1]), Channel(masks[2]), Channel(masks[3])};

    for (std::size_t row = 0; row < height; ++row) {
        const std::uint8_t* in = bytes + layout.pixelOffset + row * stride;
        LittleEndianReader bitFields(in, RowBytes(layout));
        const std::size_t outRow = layout.topDown ? row : height - 1 - row;
        std::uint8_t* out = image.rgba.data() + outRow * width * 4;
        for (std::size_t x = 0; x < width; ++x, out += 4) {
            switch (layout.bitsPerPixel) {
                case 1:
                case 4:
                case 8: {
                    const std::size_t bit = x * layout.bitsPerPixel;
                    const unsigned shift = 8 - layout.bitsPerPixel - static_cast<unsigned>(bit % 8);
                    const unsigned index = (in[bit / 8] >> shift) & ((1u << layout.bitsPerPixel) - 1);
                    for (int c = 0; c < 4; ++c) out[c] = palette[index][c];
                    break;
                }
                case 24:
                    out[0] = in[x * 3 + 2];
                    out[1] = in[x * 3 + 1];
                    out[2] = in[x * 3];
                    out[3] = 255;
                    break;
                default: {
                    std::uint32_t pixel = 0;
                    if (!ReadBitFieldPixel(bitFields, layout.bitsPerPixel, pixel)) return false;
                    for (int c = 0; c < 3; ++c) out[c] = channels[c].Extract(pixel, 0);
                    out[3] = channels[3].Extract(pixel, 255);
                }
            }
        }
    }
    return true;
}

}  // namespace

bool ReadBmp(const std::uint8_t* bytes, std::size_t size, Image& image) {
    BmpLayout layout;
    if (!ReadLayout(bytes, size, layout)) return false;
    const bool runLength = layout.compression == Rle8 || layout.compression == Rle4;
    if (!runLength && !PixelDataFits(size, layout)) return false;
    const Palette palette = ReadPalette(bytes, layout);
    image.width = static_cast<std::uint32_t>(layout.width);
    image.height = static_cast<std::uint32_t>(layout.height);
    image.rgba.assign(static_cast<std::size_t>(image.width) * image.height * 4, 0);
    if (runLength) {
        const RleTarget target{image, palette, layout.topDown};
        return DecodeBmpRle(bytes + layout.pixelOffset, size - layout.pixelOffset, layout.bitsPerPixel, target);
    }
    return ReadUncompressed(bytes, layout, palette, image);
}

}  // namespace varnoka::imagefile
