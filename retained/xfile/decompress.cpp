#include "retained/xfile/decompress.h"

#include <zlib.h>

#include "retained/io/file_bytes.h"
#include "retained/io/little_endian.h"
#include "retained/xfile/file_header.h"

namespace varnoka::xfile {

namespace {

// Owns one raw-deflate stream, reset for each block.
class BlockInflater {
public:
    BlockInflater() { ready_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
    ~BlockInflater() {
        if (ready_) inflateEnd(&stream_);
    }
    BlockInflater(const BlockInflater&) = delete;
    BlockInflater& operator=(const BlockInflater&) = delete;

    // Inflates exactly `outSize` bytes to `out` from one complete deflate stream; the
    // previous block's output is the dictionary it may refer back into.
    bool InflateBlock(const std::uint8_t* in, std::size_t inSize, std::uint8_t* out, std::size_t outSize,
                      const std::uint8_t* previous, std::size_t previousSize) {
        if (!ready_ || inflateReset(&stream_) != Z_OK) return false;
        if (previousSize > 0 && inflateSetDictionary(&stream_, previous, static_cast<uInt>(previousSize)) != Z_OK) {
            return false;
        }
        stream_.next_in = const_cast<Bytef*>(in);
        stream_.avail_in = static_cast<uInt>(inSize);
        stream_.next_out = out;
        stream_.avail_out = static_cast<uInt>(outSize);
        const int status = inflate(&stream_, Z_FINISH);
        return status == Z_STREAM_END && stream_.avail_out == 0;
    }

private:
    z_stream stream_{};
    bool ready_ = false;
};

constexpr std::size_t DeflateWindow = 32768;

}  // namespace

bool DecompressBody(const std::uint8_t* body, std::size_t size, std::vector<std::uint8_t>& out) {
    out.clear();
    LittleEndianReader in(body, size);
    std::uint32_t statedTotal = 0;
    if (!in.Read(statedTotal) || statedTotal < FileHeaderSize) return false;
    const std::uint64_t statedBody = std::uint64_t{statedTotal} - FileHeaderSize;
    // Unpacked, a model may be no larger than one we would read unpacked.
    if (statedBody > MaxInputFileBytes) return false;

    // Deflate expands a byte to at most 1032, which caps what a lying total can reserve.
    const std::uint64_t mostPossible = static_cast<std::uint64_t>(size) * 1032;
    out.reserve(static_cast<std::size_t>(statedBody < mostPossible ? statedBody : mostPossible));

    BlockInflater inflater;
    std::size_t previousStart = 0;
    while (in.Remaining() > 0) {
        std::uint16_t unpackedSize = 0;
        std::uint16_t packedSize = 0;
        if (!in.Read(unpackedSize) || !in.Read(packedSize)) return false;
        const std::uint8_t* block = in.Position();
        if (unpackedSize == 0 || packedSize < 2 || !in.Skip(packedSize)) return false;
        if (block[0] != 'C' || block[1] != 'K') return false;
        // Growth is checked against the stated total, so a lying header cannot make us
        // allocate more than the blocks really hold.
        if (out.size() + unpackedSize > statedBody) return false;

        const std::size_t blockStart = out.size();
        out.resize(blockStart + unpackedSize);
        std::size_t previousSize = blockStart - previousStart;
        if (previousSize > DeflateWindow) previousSize = DeflateWindow;
        if (!inflater.InflateBlock(block + 2, packedSize - 2u, out.data() + blockStart, unpackedSize,
                                   out.data() + blockStart - previousSize, previousSize)) {
            out.clear();
            return false;
        }
        previousStart = blockStart;
    }
    if (out.size() != statedBody) {
        out.clear();
        return false;
    }
    return true;
}

}  // namespace varnoka::xfile
