#include "retained/xfile/binary_tokenizer.h"

#include <cmath>
#include <cstring>

#include "retained/xfile/bad_file.h"

namespace varnoka::xfile {

namespace {

enum BinaryToken : std::uint16_t {
    kTokenName = 1,
    kTokenString = 2,
    kTokenInteger = 3,
    kTokenGuid = 5,
    kTokenIntegerList = 6,
    kTokenFloatList = 7,
    kTokenOpenBrace = 10,
    kTokenCloseBrace = 11,
    kTokenOpenParen = 12,
    kTokenDot = 18,
    kTokenComma = 19,
    kTokenSemicolon = 20,
    kTokenTemplate = 31,
    kTokenFirstKeyword = 40,  // WORD .. ARRAY
    kTokenLastKeyword = 52,
};

constexpr std::size_t kGuidBytes = 16;

Token numberToken(double value, bool integral, std::uint32_t integer) {
    Token token;
    token.kind = TokenKind::Number;
    token.number = std::isfinite(value) ? value : 0.0;
    token.isInteger = integral;
    token.integer = integer;
    return token;
}

}  // namespace

std::uint16_t BinaryTokenizer::readWord() {
    if (bytesLeft() < 2) failBadFile();
    const std::uint16_t value = static_cast<std::uint16_t>(pos_[0] | pos_[1] << 8);
    pos_ += 2;
    return value;
}

std::uint32_t BinaryTokenizer::readDword() {
    if (bytesLeft() < 4) failBadFile();
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | pos_[i];
    pos_ += 4;
    return value;
}

void BinaryTokenizer::startList(ListKind kind, std::size_t valueBytes) {
    const std::size_t count = readDword();
    if (count > bytesLeft() / valueBytes) failBadFile();
    listKind_ = kind;
    listRemaining_ = count;
}

Token BinaryTokenizer::nextListValue() {
    --listRemaining_;
    if (listKind_ == ListKind::Integers) {
        const std::uint32_t value = readDword();
        return numberToken(value, true, value);
    }
    double value = 0.0;
    if (floatBytes_ == 8) {
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i) bits = bits << 8 | pos_[i];
        pos_ += 8;
        std::memcpy(&value, &bits, sizeof value);
    } else {
        const std::uint32_t bits = readDword();
        float single = 0.0f;
        std::memcpy(&single, &bits, sizeof single);
        value = single;
    }
    return numberToken(value, false, 0);
}

Token BinaryTokenizer::readCountedText(TokenKind kind, std::size_t maxLength) {
    const std::size_t length = readDword();
    if (length > maxLength || length > bytesLeft()) failBadFile();
    Token token;
    token.kind = kind;
    token.text = std::string_view(reinterpret_cast<const char*>(pos_), length);
    pos_ += length;
    return token;
}

Token BinaryTokenizer::next() {
    for (;;) {
        if (listRemaining_ > 0) return nextListValue();
        Token token;
        if (pos_ == end_) return token;
        const std::uint16_t id = readWord();
        switch (id) {
            case kTokenName:
                return readCountedText(TokenKind::Name, kMaxNameLength);
            case kTokenString: {
                token = readCountedText(TokenKind::String, kMaxStringLength);
                // A string record ends with its own separator token.
                const std::uint16_t terminator = readWord();
                if (terminator != kTokenSemicolon && terminator != kTokenComma) failBadFile();
                return token;
            }
            case kTokenInteger: {
                const std::uint32_t value = readDword();
                return numberToken(value, true, value);
            }
            case kTokenGuid:
                if (bytesLeft() < kGuidBytes) failBadFile();
                pos_ += kGuidBytes;
                token.kind = TokenKind::Guid;
                return token;
            case kTokenIntegerList:
                startList(ListKind::Integers, 4);
                continue;  // an empty list yields nothing
            case kTokenFloatList:
                startList(ListKind::Floats, floatBytes_);
                continue;
            case kTokenOpenBrace:
                token.kind = TokenKind::OpenBrace;
                return token;
            case kTokenCloseBrace:
                token.kind = TokenKind::CloseBrace;
                return token;
            case kTokenComma:
                token.kind = TokenKind::Comma;
                return token;
            case kTokenSemicolon:
                token.kind = TokenKind::Semicolon;
                return token;
            case kTokenTemplate:
                token.kind = TokenKind::Template;
                return token;
            default:
                if ((id >= kTokenOpenParen && id <= kTokenDot) ||
                    (id >= kTokenFirstKeyword && id <= kTokenLastKeyword)) {
                    token.kind = TokenKind::Other;
                    return token;
                }
                failBadFile();
        }
    }
}

}  // namespace varnoka::xfile
