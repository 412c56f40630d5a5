#include "settings/setting_values.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

int32_t ReadSettingInteger(const char* text, int32_t defaultValue) {
    if (text == nullptr) return defaultValue;
    while (IsBlank(*text)) ++text;
    if (*text == '\0') return defaultValue;

    bool negative = false;
    if (*text == '-' || *text == '+') {
        negative = *text == '-';
        ++text;
    }
    uint32_t magnitude = 0;
    while (*text >= '0' && *text <= '9') {
        magnitude = magnitude * 10u + static_cast<uint32_t>(*text - '0');
        ++text;
    }
    const uint32_t bits = negative ? 0u - magnitude : magnitude;
    return static_cast<int32_t>(bits);
}
