#include "retained/xfile/value_reader.h"

#include <cfloat>
#include <cmath>

namespace varnoka::xfile {

std::uint32_t ValueReader::ReadInteger() {
    const Token token = tokens_.NextValue();
    if (token.kind != TokenKind::Number) FailBadFile();
    if (token.isInteger) return token.integer;
    // Some writers put "3.000000" where a count belongs.
    if (token.number >= 0.0 && token.number <= 4294967295.0 && std::floor(token.number) == token.number) {
        return static_cast<std::uint32_t>(token.number);
    }
    FailBadFile();
}

float ValueReader::ReadFloat() {
    const Token token = tokens_.NextValue();
    if (token.kind != TokenKind::Number) FailBadFile();
    // Beyond float range is as unusable as the invalid forms, and read the same way.
    if (std::fabs(token.number) > FLT_MAX) return 0.0f;
    return static_cast<float>(token.number);
}

std::string_view ValueReader::ReadString() {
    const Token token = tokens_.NextValue();
    if (token.kind != TokenKind::String) FailBadFile();
    return token.text;
}

void ValueReader::Expect(TokenKind kind) {
    if (tokens_.Next().kind != kind) FailBadFile();
}

void ValueReader::CheckCount(std::size_t count, std::size_t valuesEach) const {
    if (count > tokens_.MaxValuesRemaining() / valuesEach) FailBadFile();
}

ValueReader::ObjectHeader ValueReader::ReadObjectHeader() {
    ObjectHeader header;
    Token token = tokens_.Next();
    if (token.kind != TokenKind::Name) FailBadFile();
    header.type = token.text;
    token = tokens_.Next();
    // Names such as "1" tokenize as numbers in text but are still names here.
    if (token.kind == TokenKind::Name || token.kind == TokenKind::Number) {
        header.name = token.text;
        token = tokens_.Next();
    }
    if (token.kind != TokenKind::OpenBrace) FailBadFile();
    if (tokens_.Peek().kind == TokenKind::Guid) tokens_.Next();
    return header;
}

void ValueReader::SkipObjectBody() {
    // Iterative, so the depth of a skipped object costs no stack.
    std::size_t open = 1;
    while (open > 0) {
        switch (tokens_.Next().kind) {
            case TokenKind::OpenBrace:
                ++open;
                break;
            case TokenKind::CloseBrace:
                --open;
                break;
            case TokenKind::End:
                FailBadFile();
            default:
                break;
        }
    }
}

std::string_view ValueReader::ReadReference() {
    Expect(TokenKind::OpenBrace);
    Token token = tokens_.Next();
    std::string_view name;
    if (token.kind == TokenKind::Name) {
        name = token.text;
        token = tokens_.Next();
    }
    if (token.kind == TokenKind::Guid) token = tokens_.Next();
    if (token.kind != TokenKind::CloseBrace) FailBadFile();
    return name;
}

void ValueReader::SkipChildren() {
    ReadChildren([this](const ObjectHeader&) { SkipObjectBody(); }, [](std::string_view) {});
}

}  // namespace varnoka::xfile
