#include "binary_x_writer.h"

#include <zlib.h>

#include <cstring>
#include <stdexcept>

BinaryXWriter::BinaryXWriter(bool doubles) : doubles_(doubles) {}

void BinaryXWriter::word(std::uint16_t value) {
    body_.push_back(static_cast<std::uint8_t>(value));
    body_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void BinaryXWriter::dword(std::uint32_t value) {
    word(static_cast<std::uint16_t>(value));
    word(static_cast<std::uint16_t>(value >> 16));
}

BinaryXWriter& BinaryXWriter::name(const std::string& text) {
    word(1);
    dword(static_cast<std::uint32_t>(text.size()));
    body_.insert(body_.end(), text.begin(), text.end());
    return *this;
}

BinaryXWriter& BinaryXWriter::string(const std::string& text) {
    word(2);
    dword(static_cast<std::uint32_t>(text.size()));
    body_.insert(body_.end(), text.begin(), text.end());
    word(20);
    return *this;
}

BinaryXWriter& BinaryXWriter::integer(std::uint32_t value) {
    word(3);
    dword(value);
    return *this;
}

BinaryXWriter& BinaryXWriter::integers(const std::vector<std::uint32_t>& values) {
    word(6);
    dword(static_cast<std::uint32_t>(values.size()));
    for (std::uint32_t v : values) dword(v);
    return *this;
}

BinaryXWriter& BinaryXWriter::floats(const std::vector<double>& values) {
    word(7);
    dword(static_cast<std::uint32_t>(values.size()));
    for (double v : values) {
        if (doubles_) {
            std::uint64_t bits;
            std::memcpy(&bits, &v, sizeof bits);
            dword(static_cast<std::uint32_t>(bits));
            dword(static_cast<std::uint32_t>(bits >> 32));
        } else {
            const float f = static_cast<float>(v);
            std::uint32_t bits;
            std::memcpy(&bits, &f, sizeof bits);
            dword(bits);
        }
    }
    return *this;
}

BinaryXWriter& BinaryXWriter::guid() {
    word(5);
    for (int i = 0; i < 16; ++i) body_.push_back(static_cast<std::uint8_t>(i * 17));
    return *this;
}

BinaryXWriter& BinaryXWriter::open() { return token(10); }
BinaryXWriter& BinaryXWriter::close() { return token(11); }
BinaryXWriter& BinaryXWriter::semicolon() { return token(20); }

BinaryXWriter& BinaryXWriter::token(std::uint16_t id) {
    word(id);
    return *this;
}

BinaryXWriter& BinaryXWriter::raw(const std::vector<std::uint8_t>& bytes) {
    body_.insert(body_.end(), bytes.begin(), bytes.end());
    return *this;
}

std::vector<std::uint8_t> BinaryXWriter::file() const {
    std::vector<std::uint8_t> out = bytesOf(doubles_ ? "xof 0303bin 0064" : "xof 0303bin 0032");
    out.insert(out.end(), body_.begin(), body_.end());
    return out;
}

namespace {

void put16(std::vector<std::uint8_t>& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::vector<std::uint8_t> deflateBlock(const std::uint8_t* data, std::size_t size, const std::uint8_t* dictionary,
                                       std::size_t dictionarySize) {
    z_stream stream{};
    if (deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) throw std::runtime_error("deflate");
    if (dictionarySize > 0) deflateSetDictionary(&stream, dictionary, static_cast<uInt>(dictionarySize));
    std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(size)) + 16);
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = static_cast<uInt>(size);
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("deflate");
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

}  // namespace

std::vector<std::uint8_t> compressXFile(const std::vector<std::uint8_t>& file, std::size_t blockSize) {
    std::vector<std::uint8_t> out(file.begin(), file.begin() + 16);
    const bool binary = std::memcmp(file.data() + 8, "bin ", 4) == 0;
    std::memcpy(out.data() + 8, binary ? "bzip" : "tzip", 4);
    const std::size_t total = file.size();
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(total >> shift));
    std::size_t previous = 16;
    for (std::size_t pos = 16; pos < file.size(); pos += blockSize) {
        const std::size_t size = std::min(blockSize, file.size() - pos);
        const std::vector<std::uint8_t> packed =
            deflateBlock(file.data() + pos, size, file.data() + previous, pos - previous);
        put16(out, size);
        put16(out, packed.size() + 2);
        out.push_back('C');
        out.push_back('K');
        out.insert(out.end(), packed.begin(), packed.end());
        previous = pos;
    }
    return out;
}

std::vector<std::uint8_t> bytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}
