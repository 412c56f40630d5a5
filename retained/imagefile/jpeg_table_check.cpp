#include "retained/imagefile/jpeg_table_check.h"

namespace varnoka::imagefile {

namespace {

constexpr std::uint8_t MarkerPrefix = 0xFF;
constexpr std::uint8_t StartOfImage = 0xD8;
constexpr std::uint8_t EndOfImage = 0xD9;
constexpr std::uint8_t HuffmanTable = 0xC4;
constexpr std::uint8_t StartOfScan = 0xDA;
constexpr unsigned MaxHuffmanCodes = 256;

bool IsRestart(std::uint8_t marker) { return marker >= 0xD0 && marker <= 0xD7; }

// Reads like the decoder: past the end, every byte is 0.
class JpegCursor {
public:
    JpegCursor(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool AtEnd() const { return pos_ >= size_; }
    std::uint8_t Get8() { return pos_ < size_ ? bytes_[pos_++] : (pos_++, 0); }
    unsigned Get16() {
        const unsigned high = Get8();
        return high << 8 | Get8();
    }
    void Skip(std::size_t count) { pos_ = count > size_ - (pos_ < size_ ? pos_ : size_) ? size_ : pos_ + count; }
    void ToEnd() { pos_ = size_; }

    // Entropy-coded data runs to the first marker that is neither a stuffed 0 nor a restart.
    void SkipEntropyData() {
        while (pos_ + 1 < size_) {
            if (bytes_[pos_] != MarkerPrefix) {
                ++pos_;
                continue;
            }
            std::size_t next = pos_ + 1;
            while (next < size_ && bytes_[next] == MarkerPrefix) ++next;
            if (next < size_ && bytes_[next] != 0 && !IsRestart(bytes_[next])) {
                pos_ = next - 1;
                return;
            }
            pos_ = next + 1;
        }
        pos_ = size_;
    }

private:
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

bool HuffmanSegmentFits(JpegCursor& cursor, long length) {
    while (length > 0) {
        cursor.Get8();  // table class and number
        unsigned codes = 0;
        for (int i = 0; i < 16; ++i) codes += cursor.Get8();
        if (codes > MaxHuffmanCodes) return false;
        cursor.Skip(codes);
        length -= 17 + static_cast<long>(codes);
    }
    return true;
}

}  // namespace

bool JpegHuffmanTablesFit(const std::uint8_t* bytes, std::size_t size) {
    // The decoder takes any run of 0xFF fill bytes before the start-of-image mark.
    std::size_t start = 0;
    while (start < size && bytes[start] == MarkerPrefix) ++start;
    if (start == 0 || start == size || bytes[start] != StartOfImage) return true;  // not decoded as JPEG
    JpegCursor cursor(bytes, size);
    cursor.Skip(start + 1);
    while (!cursor.AtEnd()) {
        std::uint8_t byte = cursor.Get8();
        if (byte != MarkerPrefix) continue;  // the decoder steps over stray bytes one by one
        while (byte == MarkerPrefix && !cursor.AtEnd()) byte = cursor.Get8();
        const std::uint8_t marker = byte;
        if (marker == EndOfImage) return true;
        if (marker == 0 || marker == StartOfImage || IsRestart(marker) || marker == 0x01) continue;  // no length
        const long length = static_cast<long>(cursor.Get16()) - 2;
        if (marker == HuffmanTable) {
            if (!HuffmanSegmentFits(cursor, length)) return false;
            continue;
        }
        if (length < 0) {
            cursor.ToEnd();
            continue;
        }
        cursor.Skip(static_cast<std::size_t>(length));
        if (marker == StartOfScan) cursor.SkipEntropyData();
    }
    return true;
}

}  // namespace varnoka::imagefile
