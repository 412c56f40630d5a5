#include "retained/xfile/binary_tokenizer.h"

#include <cmath>
#include <cstring>

#include "retained/xfile/bad_file.h"

namespace varnoka::xfile {

namespace {

enum BinaryToken : std::uint16_t {
    TokenName = 1,
    TokenString = 2,
    TokenInteger = 3,
    TokenGuid = 5,
    TokenIntegerList = 6,
    TokenFloatList = 7,
    TokenOpenBrace = 10,
    TokenCloseBrace = 11,
    TokenOpenParen = 12,
    TokenDot = 18,
    TokenComma = 19,
    TokenSemicolon = 20,
    TokenTemplate = 31,
    TokenFirstKeyword = 40,  // WORD .. ARRAY
    TokenLastKeyword = 52,
};

constexpr std::size_t GuidBytes = 16;

Token NumberToken(double value, bool integral, std::uint32_t integer) {
    Token token;
    token.kind = TokenKind::Number;
    token.number = std::isfinite(value) ? value : 0.0;
    token.isInteger = integral;
    token.integer = integer;
    return token;
}

}  // namespace

std::uint16_t BinaryTokenizer::ReadWord() {
    if (BytesLeft() < 2) FailBadFile();
    const std::uint16_t value = static_cast<std::uint16_t>(pos_[0] | pos_[1] << 8);
    pos_ += 2;
    return value;
}

std::uint32_t BinaryTokenizer::ReadDword() {
    if (BytesLeft() < 4) FailBadFile();
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | pos_[i];
    pos_ += 4;
    return value;
}

void BinaryTokenizer::StartList(ListKind kind, std::size_t valueBytes) {
    const std::size_t count = ReadDword();
    if (count > BytesLeft() / valueBytes) FailBadFile();
    listKind_ = kind;
    listRemaining_ = count;
}

Token BinaryTokenizer::NextListValue() {
    --listRemaining_;
    if (listKind_ == ListKind::Integers) {
        const std::uint32_t value = ReadDword();
        return NumberToken(value, true, value);
    }
    double value = 0.0;
    if (floatBytes_ == 8) {
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i) bits = bits << 8 | pos_[i];
        pos_ += 8;
        std::memcpy(&value, &bits, sizeof value);
    } else {
        const std::uint32_t bits = ReadDword();
        float single = 0.0f;
        std::memcpy(&single, &bits, sizeof single);
        value = single;
    }
    return NumberToken(value, false, 0);
}

Token BinaryTokenizer::ReadCountedText(TokenKind kind, std::size_t maxLength) {
    const std::size_t length = ReadDword();
    if (length > maxLength || length > BytesLeft()) FailBadFile();
    Token token;
    token.kind = kind;
    token.text = std::string_view(reinterpret_cast<const char*>(pos_), length);
    pos_ += length;
    return token;
}

Token BinaryTokenizer::Next() {
    for (;;) {
        if (listRemaining_ > 0) return NextListValue();
        Token token;
        if (pos_ == end_) return token;
        const std::uint16_t id = ReadWord();
        switch (id) {
            case TokenName:
                return ReadCountedText(TokenKind::Name, MaxNameLength);
            case TokenString: {
                token = ReadCountedText(TokenKind::String, MaxStringLength);
                // A string record ends with its own separator token.
                const std::uint16_t terminator = ReadWord();
                if (terminator != TokenSemicolon && terminator != TokenComma) FailBadFile();
                return token;
            }
            case TokenInteger: {
                const std::uint32_t value = ReadDword();
                return NumberToken(value, true, value);
            }
            case TokenGuid:
                if (BytesLeft() < GuidBytes) FailBadFile();
                pos_ += GuidBytes;
                token.kind = TokenKind::Guid;
                return token;
            case TokenIntegerList:
                StartList(ListKind::Integers, 4);
                continue;  // an empty list yields nothing
            case TokenFloatList:
                StartList(ListKind::Floats, floatBytes_);
                continue;
            case TokenOpenBrace:
                token.kind = TokenKind::OpenBrace;
                return token;
            case TokenCloseBrace:
                token.kind = TokenKind::CloseBrace;
                return token;
            case TokenComma:
                token.kind = TokenKind::Comma;
                return token;
            case TokenSemicolon:
                token.kind = TokenKind::Semicolon;
                return token;
            case TokenTemplate:
                token.kind = TokenKind::Template;
                return token;
            default:
                if ((id >= TokenOpenParen && id <= TokenDot) || (id >= TokenFirstKeyword && id <= TokenLastKeyword)) {
                    token.kind = TokenKind::Other;
                    return token;
                }
                FailBadFile();
        }
    }
}

}  // namespace varnoka::xfile
