#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes .x files token by token, so binary and compressed test files have known content.
class BinaryXWriter {
public:
    explicit BinaryXWriter(bool doubles = false);

    BinaryXWriter& Name(const std::string& text);
    BinaryXWriter& String(const std::string& text);  // ends with a semicolon token
    BinaryXWriter& Integer(std::uint32_t value);
    BinaryXWriter& Integers(const std::vector<std::uint32_t>& values);
    BinaryXWriter& Floats(const std::vector<double>& values);
    BinaryXWriter& Guid();
    BinaryXWriter& Open();   // {
    BinaryXWriter& Close();  // }
    BinaryXWriter& Semicolon();
    BinaryXWriter& Token(std::uint16_t id);
    BinaryXWriter& Raw(const std::vector<std::uint8_t>& bytes);

    // "xof 0303bin 0032" (or 0064) followed by the tokens.
    std::vector<std::uint8_t> File() const;

private:
    void Word(std::uint16_t value);
    void Dword(std::uint32_t value);

    bool doubles_;
    std::vector<std::uint8_t> body_;
};

// Packs a whole uncompressed file (header included) into "tzip"/"bzip" form, in blocks of
// at most `blockSize` bytes, each deflated with the previous block as its dictionary.
std::vector<std::uint8_t> CompressXFile(const std::vector<std::uint8_t>& file, std::size_t blockSize = 0x8000);

std::vector<std::uint8_t> BytesOf(const std::string& text);
