#include "retained/imagefile/jpeg_table_check.h"

namespace varnoka::imagefile {

namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kHuffmanTable = 0xC4;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr unsigned kMaxHuffmanCodes = 256;

bool isRestart(std::uint8_t marker) { return marker >= 0xD0 && marker <= 0xD7; }

// Reads like the decoder: past the end, every byte is 0.
class JpegCursor {
public:
    JpegCursor(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool atEnd() const { return pos_ >= size_; }
    std::uint8_t get8() { return pos_ < size_ ? bytes_[pos_++] : (pos_++, 0); }
    unsigned get16() {
        const unsigned high = get8();
        return high << 8 | get8();
    }
    void skip(std::size_t count) { pos_ = count > size_ - (pos_ < size_ ? pos_ : size_) ? size_ : pos_ + count; }
    void toEnd() { pos_ = size_; }

    // Entropy-coded data runs to the first marker that is neither a stuffed 0 nor a restart.
    void skipEntropyData() {
        while (pos_ + 1 < size_) {
            if (bytes_[pos_] != kMarkerPrefix) {
                ++pos_;
                continue;
            }
            std::size_t next = pos_ + 1;
            while (next < size_ && bytes_[next] == kMarkerPrefix) ++next;
            if (next < size_ && bytes_[next] != 0 && !isRestart(bytes_[next])) {
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

bool huffmanSegmentFits(JpegCursor& cursor, long length) {
    while (length > 0) {
        cursor.get8();  // table class and number
        unsigned codes = 0;
        for (int i = 0; i < 16; ++i) codes += cursor.get8();
        if (codes > kMaxHuffmanCodes) return false;
        cursor.skip(codes);
        length -= 17 + static_cast<long>(codes);
    }
    return true;
}

}  // namespace

bool jpegHuffmanTablesFit(const std::uint8_t* bytes, std::size_t size) {
    // The decoder takes any run of 0xFF fill bytes before the start-of-image mark.
    std::size_t start = 0;
    while (start < size && bytes[start] == kMarkerPrefix) ++start;
    if (start == 0 || start == size || bytes[start] != kStartOfImage) return true;  // not decoded as JPEG
    JpegCursor cursor(bytes, size);
    cursor.skip(start + 1);
    while (!cursor.atEnd()) {
        std::uint8_t byte = cursor.get8();
        if (byte != kMarkerPrefix) continue;  // the decoder steps over stray bytes one by one
        while (byte == kMarkerPrefix && !cursor.atEnd()) byte = cursor.get8();
        const std::uint8_t marker = byte;
        if (marker == kEndOfImage) return true;
        if (marker == 0 || marker == kStartOfImage || isRestart(marker) || marker == 0x01) continue;  // no length
        const long length = static_cast<long>(cursor.get16()) - 2;
        if (marker == kHuffmanTable) {
            if (!huffmanSegmentFits(cursor, length)) return false;
            continue;
        }
        if (length < 0) {
            cursor.toEnd();
            continue;
        }
        cursor.skip(static_cast<std::size_t>(length));
        if (marker == kStartOfScan) cursor.skipEntropyData();
    }
    return true;
}

}  // namespace varnoka::imagefile
