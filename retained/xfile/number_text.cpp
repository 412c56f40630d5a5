#include "retained/xfile/number_text.h"

#include <charconv>
#include <cmath>

namespace varnoka::xfile {

namespace {

bool StartsLikeNumber(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

bool AllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

bool ParseNumberWord(std::string_view word, Token& token) {
    if (word.empty() || !StartsLikeNumber(word[0])) return false;
    token.kind = TokenKind::Number;
    token.text = word;
    token.isInteger = false;
    token.integer = 0;
    token.number = 0.0;

    // Counts and indices are most of a file: plain digits skip the float parser.
    if (AllDigits(word) && word.size() <= 9) {
        std::uint32_t value = 0;
        for (char c : word) value = value * 10 + static_cast<std::uint32_t>(c - '0');
        token.isInteger = true;
        token.integer = value;
        token.number = value;
        return true;
    }

    std::string_view digits = word;
    if (digits[0] == '+') digits.remove_prefix(1);  // from_chars takes no plus sign
    double value = 0.0;
    const char* first = digits.data();
    const char* last = digits.data() + digits.size();
    const auto parsed = std::from_chars(first, last, value, std::chars_format::general);
    if (parsed.ec == std::errc::result_out_of_range) {
        value = 0.0;  // overflow or underflow: treated like any other unusable value
    } else if (parsed.ec != std::errc() || parsed.ptr != last) {
        // "-1.#IND00", "1.#QNAN0", "1.#INF00": the runtime's spelling of invalid floats.
        return word.find(".#") != std::string_view::npos;
    }
    if (!std::isfinite(value)) value = 0.0;
    token.number = value;

    if (AllDigits(digits) && value <= 4294967295.0) {
        token.isInteger = true;
        token.integer = static_cast<std::uint32_t>(value);
    }
    return true;
}

}  // namespace varnoka::xfile
