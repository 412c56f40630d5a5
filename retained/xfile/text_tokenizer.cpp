#include "retained/xfile/text_tokenizer.h"

#include "retained/xfile/bad_file.h"
#include "retained/xfile/number_text.h"

namespace varnoka::xfile {

namespace {

// NUL padding and the DOS end-of-file mark (Ctrl-Z) turn up at the end of old files.
bool IsSpace(std::uint8_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == 0 || c == 0x1A;
}

// Characters that end a word; everything else (including '.', '-', '#') can be inside one.
bool IsDelimiter(std::uint8_t c) {
    switch (c) {
        case '{':
        case '}':
        case ';':
        case ',':
        case '"':
        case '<':
        case '>':
        case '[':
        case ']':
        case '(':
        case ')':
            return true;
        default:
            return IsSpace(c);
    }
}

constexpr std::size_t MaxGuidText = 64;

}  // namespace

void TextTokenizer::SkipSpaceAndComments() {
    while (pos_ < end_) {
        const std::uint8_t c = *pos_;
        if (IsSpace(c)) {
            ++pos_;
        } else if (c == '#' || (c == '/' && end_ - pos_ >= 2 && pos_[1] == '/')) {
            while (pos_ < end_ && *pos_ != '\n') ++pos_;
        } else {
            return;
        }
    }
}

Token TextTokenizer::Next() {
    SkipSpaceAndComments();
    Token token;
    if (pos_ == end_) return token;
    switch (*pos_) {
        case '{':
            ++pos_;
            token.kind = TokenKind::OpenBrace;
            return token;
        case '}':
            ++pos_;
            token.kind = TokenKind::CloseBrace;
            return token;
        case ';':
            ++pos_;
            token.kind = TokenKind::Semicolon;
            return token;
        case ',':
            ++pos_;
            token.kind = TokenKind::Comma;
            return token;
        case '[':
        case ']':
        case '(':
        case ')':
        case '>':
            ++pos_;
            token.kind = TokenKind::Other;
            return token;
        case '"':
            return ReadString();
        case '<':
            return ReadGuid();
        default:
            return ReadWord();
    }
}

Token TextTokenizer::NextValue() {
    for (;;) {
        SkipSpaceAndComments();
        if (pos_ == end_ || (*pos_ != ';' && *pos_ != ',')) return Next();
        ++pos_;
    }
}

Token TextTokenizer::ReadString() {
    const std::uint8_t* start = ++pos_;
    while (pos_ < end_ && *pos_ != '"') {
        if (static_cast<std::size_t>(pos_ - start) >= MaxStringLength) FailBadFile();
        ++pos_;
    }
    if (pos_ == end_) FailBadFile();
    Token token;
    token.kind = TokenKind::String;
    token.text = std::string_view(reinterpret_cast<const char*>(start), static_cast<std::size_t>(pos_ - start));
    ++pos_;
    return token;
}

Token TextTokenizer::ReadGuid() {
    const std::uint8_t* start = ++pos_;
    while (pos_ < end_ && *pos_ != '>') {
        if (static_cast<std::size_t>(pos_ - start) >= MaxGuidText) FailBadFile();
        ++pos_;
    }
    if (pos_ == end_) FailBadFile();
    Token token;
    token.kind = TokenKind::Guid;
    token.text = std::string_view(reinterpret_cast<const char*>(start), static_cast<std::size_t>(pos_ - start));
    ++pos_;
    return token;
}

Token TextTokenizer::ReadWord() {
    const std::uint8_t* start = pos_;
    while (pos_ < end_ && !IsDelimiter(*pos_)) {
        if (static_cast<std::size_t>(pos_ - start) >= MaxNameLength) FailBadFile();
        ++pos_;
    }
    const std::string_view word(reinterpret_cast<const char*>(start), static_cast<std::size_t>(pos_ - start));
    Token token;
    if (ParseNumberWord(word, token)) return token;
    token.kind = word == "template" ? TokenKind::Template : TokenKind::Name;
    token.text = word;
    return token;
}

}  // namespace varnoka::xfile
