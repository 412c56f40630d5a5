#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes .x files token by token, so binary and compressed test files have known content.
class BinaryXWriter {
public:
    explicit BinaryXWriter(bool doubles = false);

    BinaryXWriter& name(const std::string& text);
    BinaryXWriter& string(const std::string& text);  // ends with a semicolon token
    BinaryXWriter& integer(std::uint32_t value);
    BinaryXWriter& integers(const std::vector<std::uint32_t>& values);
    BinaryXWriter& floats(const std::vector<double>& values);
    BinaryXWriter& guid();
    BinaryXWriter& open();   // {
    BinaryXWriter& close();  // }
    BinaryXWriter& semicolon();
    BinaryXWriter& token(std::uint16_t id);
    BinaryXWriter& raw(const std::vector<std::uint8_t>& bytes);

    // "xof 0303bin 0032" (or 0064) followed by the tokens.
    std::vector<std::uint8_t> file() const;

private:
    void word(std::uint16_t value);
    void dword(std::uint32_t value);

    bool doubles_;
    std::vector<std::uint8_t> body_;
};

// Packs a whole uncompressed file (header included) into "tzip"/"bzip" form, in blocks of
// at most `blockSize` bytes, each deflated with the previous block as its dictionary.
std::vector<std::uint8_t> compressXFile(const std::vector<std::uint8_t>& file, std::size_t blockSize = 0x8000);

std::vector<std::uint8_t> bytesOf(const std::string& text);
