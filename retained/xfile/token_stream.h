#pragma once

#include <cstddef>
#include <cstdint>

#include "retained/xfile/binary_tokenizer.h"
#include "retained/xfile/file_header.h"
#include "retained/xfile/text_tokenizer.h"

namespace varnoka::xfile {

// The text and binary encodings behind one stream, with one token of look-ahead.
class TokenStream {
public:
    TokenStream(Encoding encoding, const std::uint8_t* begin, const std::uint8_t* end, unsigned floatBytes)
        : encoding_(encoding), text_(begin, end), binary_(begin, end, floatBytes) {}

    const Token& peek() {
        if (!hasPeeked_) {
            peeked_ = fetch();
            hasPeeked_ = true;
        }
        return peeked_;
    }

    Token next() {
        if (hasPeeked_) {
            hasPeeked_ = false;
            return peeked_;
        }
        return fetch();
    }

    // The next token after any separators.
    Token nextValue() {
        if (hasPeeked_) {
            hasPeeked_ = false;
            if (peeked_.kind != TokenKind::Semicolon && peeked_.kind != TokenKind::Comma) return peeked_;
        }
        return encoding_ == Encoding::Text ? text_.nextValue() : binary_.nextValue();
    }

    // An upper bound on the values left, for checking counts before allocating.
    std::size_t maxValuesRemaining() const {
        return encoding_ == Encoding::Text ? text_.maxValuesRemaining() : binary_.maxValuesRemaining();
    }

private:
    Token fetch() { return encoding_ == Encoding::Text ? text_.next() : binary_.next(); }

    Encoding encoding_;
    TextTokenizer text_;
    BinaryTokenizer binary_;
    Token peeked_;
    bool hasPeeked_ = false;
};

}  // namespace varnoka::xfile
