#pragma once

#include <cstddef>
#include <cstdint>

#include "retained/xfile/token.h"

namespace varnoka::xfile {

// Splits the text encoding into tokens. Words that read as numbers become numbers, including
// the "1.#IND00" forms some exporters write for invalid floats (read as 0).
class TextTokenizer {
public:
    TextTokenizer(const std::uint8_t* begin, const std::uint8_t* end) : pos_(begin), end_(end) {}

    Token Next();
    // The next token that is not a separator: where data values are read.
    Token NextValue();

    // At most this many more values can follow: each needs a character and a separator.
    std::size_t MaxValuesRemaining() const { return static_cast<std::size_t>(end_ - pos_) / 2 + 1; }

private:
    void SkipSpaceAndComments();
    Token ReadString();
    Token ReadGuid();
    Token ReadWord();

    const std::uint8_t* pos_;
    const std::uint8_t* end_;
};

}  // namespace varnoka::xfile
