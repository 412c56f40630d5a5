#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "retained/xfile/bad_file.h"
#include "retained/xfile/token_stream.h"

namespace varnoka::xfile {

// Objects nested deeper than this are refused: real files nest frames a few levels deep.
constexpr int MaxObjectDepth = 64;

// Reads the members of data objects. Separators between values are optional, which covers
// the ";;" and ";," forms and values packed into binary lists alike.
class ValueReader {
public:
    explicit ValueReader(TokenStream& tokens) : tokens_(tokens) {}

    TokenStream& Tokens() { return tokens_; }

    std::uint32_t ReadInteger();
    float ReadFloat();
    std::string_view ReadString();
    void Expect(TokenKind kind);

    // Refuses a count of items of `valuesEach` values that the rest of the file cannot hold,
    // before anything is allocated for it.
    void CheckCount(std::size_t count, std::size_t valuesEach) const;

    // After "Type [name] {" (and an optional GUID): skips to the matching "}".
    void SkipObjectBody();

    // Reads "Type [name] {" [GUID]; the caller then reads the members.
    struct ObjectHeader {
        std::string_view type;
        std::string_view name;
    };
    ObjectHeader ReadObjectHeader();

    // Reads the nested objects and references up to the object's closing "}". `onObject`
    // gets each nested object's header and must consume its body; `onReference` gets the
    // name inside "{ name }".
    template <typename OnObject, typename OnReference>
    void ReadChildren(OnObject&& onObject, OnReference&& onReference);

    // Children of an object that has none we use.
    void SkipChildren();

    // Counts object nesting for the lifetime of the guard.
    class DepthGuard {
    public:
        explicit DepthGuard(ValueReader& reader) : reader_(reader) {
            if (++reader_.depth_ > MaxObjectDepth) FailBadFile();
        }
        ~DepthGuard() { --reader_.depth_; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;

    private:
        ValueReader& reader_;
    };

private:
    std::string_view ReadReference();

    TokenStream& tokens_;
    int depth_ = 0;
};

template <typename OnObject, typename OnReference>
void ValueReader::ReadChildren(OnObject&& onObject, OnReference&& onReference) {
    for (;;) {
        const TokenKind kind = tokens_.Peek().kind;
        switch (kind) {
            case TokenKind::CloseBrace:
                tokens_.Next();
                return;
            case TokenKind::Semicolon:
            case TokenKind::Comma:
                tokens_.Next();
                break;
            case TokenKind::OpenBrace:
                onReference(ReadReference());
                break;
            case TokenKind::Name: {
                DepthGuard guard(*this);
                onObject(ReadObjectHeader());
                break;
            }
            default:
                FailBadFile();
        }
    }
}

}  // namespace varnoka::xfile
