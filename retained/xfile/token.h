#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varnoka::xfile {

enum class TokenKind : std::uint8_t {
    End,
    Name,
    String,
    Number,
    Guid,
    OpenBrace,
    CloseBrace,
    Comma,
    Semicolon,
    Template,
    Other,  // brackets, angles, type keywords: only meaningful inside templates
};

// One token of either encoding. Names and strings point into the file's bytes.
struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;
    double number = 0.0;        // Number: the value, non-finite values read as 0
    std::uint32_t integer = 0;  // Number: valid when isInteger
    bool isInteger = false;
};

// Limits that keep a hostile file from steering recursion or allocation.
constexpr std::size_t MaxNameLength = 1024;
constexpr std::size_t MaxStringLength = 4096;

}  // namespace varnoka::xfile
