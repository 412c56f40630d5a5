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

    const Token& Peek() {
        if (!hasPeeked_) {
            peeked_ = Fetch();
            hasPeeked_ = true;
        }
        return peeked_;
    }

    Token Next() {
        if (hasPeeked_) {
            hasPeeked_ = false;
            return peeked_;
        }
        return Fetch();
    }

    // The next token after any separators.
    Token NextValue() {
        if (hasPeeked_) {
            hasPeeked_ = false;
            if (peeked_.kind != TokenKind::Semicolon && peeked_.kind != TokenKind::Comma) return peeked_;
        }
        return encoding_ == Encoding::Text ? text_.NextValue() : binary_.NextValue();
    }

    // An upper bound on the values left, for checking counts before allocating.
    std::size_t MaxValuesRemaining() const {
        return encoding_ == Encoding::Text ? text_.MaxValuesRemaining() : binary_.MaxValuesRemaining();
    }

private:
    Token Fetch() { return encoding_ == Encoding::Text ? text_.Next() : binary_.Next(); }

    Encoding encoding_;
    TextTokenizer text_;
    BinaryTokenizer binary_;
    Token peeked_;
    bool hasPeeked_ = false;
};

}  // namespace varnoka::xfile
