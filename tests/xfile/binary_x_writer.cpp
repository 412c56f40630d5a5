#include "binary_x_writer.h"

#include <zlib.h>

#include <cstring>
#include <stdexcept>

BinaryXWriter::BinaryXWriter(bool doubles) : doubles_(doubles) {}

void BinaryXWriter::Word(std::uint16_t value) {
    body_.push_back(static_cast<std::uint8_t>(value));
    body_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void BinaryXWriter::Dword(std::uint32_t value) {
    Word(static_cast<std::uint16_t>(value));
    Word(static_cast<std::uint16_t>(value >> 16));
}

BinaryXWriter& BinaryXWriter::Name(const std::string& text) {
    Word(1);
    Dword(static_cast<std::uint32_t>(text.size()));
    body_.insert(body_.end(), text.begin(), text.end());
    return *this;
}

BinaryXWriter& BinaryXWriter::String(const std::string& text) {
    Word(2);
    Dword(static_cast<std::uint32_t>(text.size()));
    body_.insert(body_.end(), text.begin(), text.end());
    Word(20);
    return *this;
}

BinaryXWriter& BinaryXWriter::Integer(std::uint32_t value) {
    Word(3);
    Dword(value);
    return *this;
}

BinaryXWriter& BinaryXWriter::Integers(const std::vector<std::uint32_t>& values) {
    Word(6);
    Dword(static_cast<std::uint32_t>(values.size()));
    for (std::uint32_t v : values) Dword(v);
    return *this;
}

BinaryXWriter& BinaryXWriter::Floats(const std::vector<double>& values) {
    Word(7);
    Dword(static_cast<std::uint32_t>(values.size()));
    for (double v : values) {
        if (doubles_) {
            std::uint64_t bits;
            std::memcpy(&bits, &v, sizeof bits);
            Dword(static_cast<std::uint32_t>(bits));
            Dword(static_cast<std::uint32_t>(bits >> 32));
        } else {
            const float f = static_cast<float>(v);
            std::uint32_t bits;
            std::memcpy(&bits, &f, sizeof bits);
            Dword(bits);
        }
    }
    return *this;
}

BinaryXWriter& BinaryXWriter::Guid() {
    Word(5);
    for (int i = 0; i < 16; ++i) body_.push_back(static_cast<std::uint8_t>(i * 17));
    return *this;
}

BinaryXWriter& BinaryXWriter::Open() { return Token(10); }
BinaryXWriter& BinaryXWriter::Close() { return Token(11); }
BinaryXWriter& BinaryXWriter::Semicolon() { return Token(20); }

BinaryXWriter& BinaryXWriter::Token(std::uint16_t id) {
    Word(id);
    return *this;
}

BinaryXWriter& BinaryXWriter::Raw(const std::vector<std::uint8_t>& bytes) {
    body_.insert(body_.end(), bytes.begin(), bytes.end());
    return *this;
}

std::vector<std::uint8_t> BinaryXWriter::File() const {
    std::vector<std::uint8_t> out = BytesOf(doubles_ ? "xof 0303bin 0064" : "xof 0303bin 0032");
    out.insert(out.end(), body_.begin(), body_.end());
    return out;
}

namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::vector<std::uint8_t> DeflateBlock(const std::uint8_t* data, std::size_t size, const std::uint8_t* dictionary,
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

std::vector<std::uint8_t> CompressXFile(const std::vector<std::uint8_t>& file, std::size_t blockSize) {
    std::vector<std::uint8_t> out(file.begin(), file.begin() + 16);
    const bool binary = std::memcmp(file.data() + 8, "bin ", 4) == 0;
    std::memcpy(out.data() + 8, binary ? "bzip" : "tzip", 4);
    const std::size_t total = file.size();
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(total >> shift));
    std::size_t previous = 16;
    for (std::size_t pos = 16; pos < file.size(); pos += blockSize) {
        const std::size_t size = std::min(blockSize, file.size() - pos);
        const std::vector<std::uint8_t> packed =
            DeflateBlock(file.data() + pos, size, file.data() + previous, pos - previous);
        Put16(out, size);
        Put16(out, packed.size() + 2);
        out.push_back('C');
        out.push_back('K');
        out.insert(out.end(), packed.begin(), packed.end());
        previous = pos;
    }
    return out;
}

std::vector<std::uint8_t> BytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}
