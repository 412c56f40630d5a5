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

template <class T>
T BinaryTokenizer::ReadNumber() {
    T value = 0;
    if (!bytes_.Read(value)) FailBadFile();
    return value;
}

void BinaryTokenizer::StartList(ListKind kind, std::size_t valueBytes) {
    const std::size_t count = ReadNumber<std::uint32_t>();
    if (count > bytes_.Remaining() / valueBytes) FailBadFile();
    listKind_ = kind;
    listRemaining_ = count;
}

Token BinaryTokenizer::NextListValue() {
    --listRemaining_;
    if (listKind_ == ListKind::Integers) {
        const auto value = ReadNumber<std::uint32_t>();
        return NumberToken(value, true, value);
    }
    double value = 0.0;
    if (floatBytes_ == 8) {
        const auto bits = ReadNumber<std::uint64_t>();
        std::memcpy(&value, &bits, sizeof value);
    } else {
        const auto bits = ReadNumber<std::uint32_t>();
        float single = 0.0f;
        std::memcpy(&single, &bits, sizeof single);
        value = single;
    }
    return NumberToken(value, false, 0);
}

Token BinaryTokenizer::ReadCountedText(TokenKind kind, std::size_t maxLength) {
    const std::size_t length = ReadNumber<std::uint32_t>();
    const char* text = reinterpret_cast<const char*>(bytes_.Position());
    if (length > maxLength || !bytes_.Skip(length)) FailBadFile();
    Token token;
    token.kind = kind;
    token.text = std::string_view(text, length);
    return token;
}

Token BinaryTokenizer::Next() {
    for (;;) {
        if (listRemaining_ > 0) return NextListValue();
        Token token;
        if (bytes_.Remaining() == 0) return token;
        const auto id = ReadNumber<std::uint16_t>();
        switch (id) {
            case TokenName:
                return ReadCountedText(TokenKind::Name, MaxNameLength);
            case TokenString: {
                token = ReadCountedText(TokenKind::String, MaxStringLength);
                // A string record ends with its own separator token.
                const auto terminator = ReadNumber<std::uint16_t>();
                if (terminator != TokenSemicolon && terminator != TokenComma) FailBadFile();
                return token;
            }
            case TokenInteger: {
                const auto value = ReadNumber<std::uint32_t>();
                return NumberToken(value, true, value);
            }
            case TokenGuid:
                if (!bytes_.Skip(GuidBytes)) FailBadFile();
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
