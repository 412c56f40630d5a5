#include "retained/imagefile/bmp_rle.h"

#include <algorithm>

namespace varnoka::imagefile {

namespace {

class RlePainter {
public:
    explicit RlePainter(const RleTarget& target) : target_(target) {}

    void Put(unsigned index) {
        Image& image = target_.image;
        if (x_ < image.width && y_ < image.height) {
            const std::size_t row = target_.topDown ? y_ : image.height - 1 - y_;
            std::uint8_t* out = image.rgba.data() + (row * image.width + x_) * 4;
            for (int c = 0; c < 4; ++c) out[c] = target_.palette[index][c];
        }
        ++x_;
    }

    // `count` pixels alternating between two values; only the visible part costs work.
    void Run(unsigned count, unsigned even, unsigned odd) {
        const std::size_t width = target_.image.width;
        const std::size_t visible = x_ >= width ? 0 : std::min<std::size_t>(count, width - x_);
        for (std::size_t i = 0; i < visible; ++i) Put(i % 2 == 0 ? even : odd);
        x_ += count - visible;
    }

    void NextLine() {
        x_ = 0;
        ++y_;
    }

    bool Move(unsigned dx, unsigned dy) {
        x_ += dx;
        y_ += dy;
        return y_ <= target_.image.height;
    }

    bool PastBottom() const { return y_ >= target_.image.height; }

private:
    const RleTarget& target_;
    std::size_t x_ = 0;
    std::size_t y_ = 0;  // counted in file order: from the bottom unless top-down
};

}  // namespace

bool DecodeBmpRle(const std::uint8_t* data, std::size_t size, unsigned bitsPerPixel, const RleTarget& target) {
    RlePainter painter(target);
    const bool four = bitsPerPixel == 4;
    // A pixel value from a byte: RLE4 alternates the high and the low nibble.
    auto pixelOf = [four](std::uint8_t byte, unsigned i) -> unsigned {
        if (!four) return byte;
        return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
    };

    std::size_t pos = 0;
    while (pos + 2 <= size) {
        const std::uint8_t count = data[pos];
        const std::uint8_t value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            painter.Run(count, pixelOf(value, 0), pixelOf(value, 1));
            continue;
        }
        switch (value) {
            case 0:
                painter.NextLine();
                break;
            case 1:
                return true;
            case 2:
                if (pos + 2 > size) return false;
                if (!painter.Move(data[pos], data[pos + 1])) return false;
                pos += 2;
                break;
            default: {
                // An absolute run of `value` pixels, padded to a 16-bit boundary.
                const std::size_t bytes = four ? (value + 1u) / 2 : value;
                const std::size_t padded = (bytes + 1) / 2 * 2;
                if (padded > size - pos) return false;
                for (unsigned i = 0; i < value; ++i) painter.Put(pixelOf(data[pos + (four ? i / 2 : i)], i));
                pos += padded;
            }
        }
        if (painter.PastBottom()) return true;  // writers may omit the end mark after the last row
    }
    // Running out of data before the last row: the rest of the picture is missing.
    return painter.PastBottom();
}

}  // namespace varnoka::imagefile
