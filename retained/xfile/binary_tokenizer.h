#pragma once

#include <cstddef>
#include <cstdint>

#include "retained/io/little_endian.h"
#include "retained/xfile/token.h"

namespace varnoka::xfile {

// Reads the binary encoding. Integer and float lists are handed out one value at a time,
// so callers see the same stream of numbers whichever way a writer packed them.
class BinaryTokenizer {
public:
    BinaryTokenizer(const std::uint8_t* begin, const std::uint8_t* end, unsigned floatBytes)
        : bytes_(begin, end), floatBytes_(floatBytes) {}

    Token Next();
    // The next token that is not a separator: where data values are read.
    Token NextValue() {
        if (listRemaining_ > 0) return NextListValue();
        for (;;) {
            Token token = Next();
            if (token.kind != TokenKind::Semicolon && token.kind != TokenKind::Comma) return token;
        }
    }

    std::size_t MaxValuesRemaining() const { return listRemaining_ + bytes_.Remaining() / 4 + 1; }

private:
    enum class ListKind { None, Integers, Floats };

    // The next number of sizeof(T) bytes; a file that ends first is bad.
    template <class T>
    T ReadNumber();
    Token NextListValue();
    Token ReadCountedText(TokenKind kind, std::size_t maxLength);
    void StartList(ListKind kind, std::size_t valueBytes);

    LittleEndianReader bytes_;
    unsigned floatBytes_;
    ListKind listKind_ = ListKind::None;
    std::size_t listRemaining_ = 0;
};

}  // namespace varnoka::xfile
