#pragma once
// Little-endian numbers read from bytes in memory, as model and image files store them. Every
// read checks the end of the bytes where it reads: one that does not fit fails and moves nothing.

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace varnoka {

class LittleEndianReader {
public:
    LittleEndianReader(const std::uint8_t* begin, const std::uint8_t* end) : pos_(begin), end_(end) {}
    LittleEndianReader(const std::uint8_t* begin, std::size_t size) : pos_(begin), end_(begin + size) {}

    const std::uint8_t* Position() const { return pos_; }
    std::size_t Remaining() const { return static_cast<std::size_t>(end_ - pos_); }

    bool Skip(std::size_t count) {
        if (count > Remaining()) return false;
        pos_ += count;
        return true;
    }

    // An unsigned number of sizeof(T) bytes, least significant first.
    template <class T>
    bool Read(T& value) {
        static_assert(std::is_unsigned_v<T>, "little-endian numbers are read unsigned");
        if (Remaining() < sizeof(T)) return false;
        T read = 0;
        for (std::size_t i = sizeof(T); i-- > 0;) read = static_cast<T>(read << 8 | pos_[i]);
        pos_ += sizeof(T);
        value = read;
        return true;
    }

private:
    const std::uint8_t* pos_;
    const std::uint8_t* end_;
};

}  // namespace varnoka
