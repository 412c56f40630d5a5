#include "retained/imagefile/ppm_reader.h"

namespace varnoka::imagefile {

namespace {

class PpmScanner {
public:
    PpmScanner(const std::uint8_t* bytes, std::size_t size) : pos_(bytes), end_(bytes + size) {}

    // A decimal number after whitespace and '#' comments; false when there is none.
    bool ReadNumber(std::uint32_t& value) {
        SkipSpaceAndComments();
        if (pos_ == end_ || *pos_ < '0' || *pos_ > '9') return false;
        std::uint64_t number = 0;
        while (pos_ < end_ && *pos_ >= '0' && *pos_ <= '9') {
            number = number * 10 + static_cast<std::uint64_t>(*pos_ - '0');
            if (number > 0xFFFFFFFFu) return false;
            ++pos_;
        }
        value = static_cast<std::uint32_t>(number);
        return true;
    }

    // The header ends with exactly one whitespace character before binary samples.
    bool SkipOneSpace() {
        if (pos_ == end_ || !IsSpace(*pos_)) return false;
        ++pos_;
        return true;
    }

    const std::uint8_t* Position() const { return pos_; }
    std::size_t Remaining() const { return static_cast<std::size_t>(end_ - pos_); }

private:
    static bool IsSpace(std::uint8_t c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
    }

    void SkipSpaceAndComments() {
        while (pos_ < end_) {
            if (IsSpace(*pos_)) {
                ++pos_;
            } else if (*pos_ == '#') {
                while (pos_ < end_ && *pos_ != '\n' && *pos_ != '\r') ++pos_;
            } else {
                return;
            }
        }
    }

    const std::uint8_t* pos_;
    const std::uint8_t* end_;
};

std::uint8_t ScaleSample(std::uint32_t sample, std::uint32_t maxValue) {
    return static_cast<std::uint8_t>((sample * 255u + maxValue / 2) / maxValue);
}

}  // namespace

bool ReadPpm(const std::uint8_t* bytes, std::size_t size, Image& image) {
    const bool plain = bytes[1] == '3';
    PpmScanner scanner(bytes + 2, size - 2);
    std::uint32_t width = 0, height = 0, maxValue = 0;
    if (!scanner.ReadNumber(width) || !scanner.ReadNumber(height) || !scanner.ReadNumber(maxValue)) return false;
    if (!ImageSizeAllowed(width, height) || maxValue == 0 || maxValue > 65535) return false;

    const std::size_t samples = static_cast<std::size_t>(width) * height * 3;
    if (plain) {
        // Each sample takes at least a digit and a separator.
        if (samples > scanner.Remaining() / 2 + 1) return false;
    } else {
        if (!scanner.SkipOneSpace()) return false;
        const std::size_t sampleBytes = maxValue > 255 ? 2 : 1;
        if (samples > scanner.Remaining() / sampleBytes) return false;
    }

    image.width = width;
    image.height = height;
    image.rgba.assign(static_cast<std::size_t>(width) * height * 4, 255);
    const std::uint8_t* data = scanner.Position();
    for (std::size_t i = 0; i < samples; ++i) {
        std::uint32_t sample = 0;
        if (plain) {
            if (!scanner.ReadNumber(sample)) return false;
        } else if (maxValue > 255) {
            sample = static_cast<std::uint32_t>(data[2 * i]) << 8 | data[2 * i + 1];
        } else {
            sample = data[i];
        }
        if (sample > maxValue) return false;
        image.rgba[i / 3 * 4 + i % 3] = ScaleSample(sample, maxValue);
    }
    return true;
}

}  // namespace varnoka::imagefile
