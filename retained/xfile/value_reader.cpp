#include "retained/xfile/value_reader.h"

#include <cfloat>
#include <cmath>

namespace varnoka::xfile {

std::uint32_t ValueReader::readInteger() {
    const Token token = tokens_.nextValue();
    if (token.kind != TokenKind::Number) failBadFile();
    if (token.isInteger) return token.integer;
    // Some writers put "3.000000" where a count belongs.
    if (token.number >= 0.0 && token.number <= 4294967295.0 && std::floor(token.number) == token.number) {
        return static_cast<std::uint32_t>(token.number);
    }
    failBadFile();
}

float ValueReader::readFloat() {
    const Token token = tokens_.nextValue();
    if (token.kind != TokenKind::Number) failBadFile();
    // Beyond float range is as unusable as the invalid forms, and read the same way.
    if (std::fabs(token.number) > FLT_MAX) return 0.0f;
    return static_cast<float>(token.number);
}

std::string_view ValueReader::readString() {
    const Token token = tokens_.nextValue();
    if (token.kind != TokenKind::String) failBadFile();
    return token.text;
}

void ValueReader::expect(TokenKind kind) {
    if (tokens_.next().kind != kind) failBadFile();
}

void ValueReader::checkCount(std::size_t count, std::size_t valuesEach) const {
    if (count > tokens_.maxValuesRemaining() / valuesEach) failBadFile();
}

ValueReader::ObjectHeader ValueReader::readObjectHeader() {
    ObjectHeader header;
    Token token = tokens_.next();
    if (token.kind != TokenKind::Name) failBadFile();
    header.type = token.text;
    token = tokens_.next();
    // Names such as "1" tokenize as numbers in text but are still names here.
    if (token.kind == TokenKind::Name || token.kind == TokenKind::Number) {
        header.name = token.text;
        token = tokens_.next();
    }
    if (token.kind != TokenKind::OpenBrace) failBadFile();
    if (tokens_.peek().kind == TokenKind::Guid) tokens_.next();
    return header;
}

void ValueReader::skipObjectBody() {
    // Iterative, so the depth of a skipped object costs no stack.
    std::size_t open = 1;
    while (open > 0) {
        switch (tokens_.next().kind) {
            case TokenKind::OpenBrace:
                ++open;
                break;
            case TokenKind::CloseBrace:
                --open;
                break;
            case TokenKind::End:
                failBadFile();
            default:
                break;
        }
    }
}

std::string_view ValueReader::readReference() {
    expect(TokenKind::OpenBrace);
    Token token = tokens_.next();
    std::string_view name;
    if (token.kind == TokenKind::Name) {
        name = token.text;
        token = tokens_.next();
    }
    if (token.kind == TokenKind::Guid) token = tokens_.next();
    if (token.kind != TokenKind::CloseBrace) failBadFile();
    return name;
}

void ValueReader::skipChildren() {
    readChildren([this](const ObjectHeader&) { skipObjectBody(); }, [](std::string_view) {});
}

}  // namespace varnoka::xfile
