#pragma once
#include <cstdint>

// How values stored as INI text are read back.

// An optional sign and decimal digits after leading blanks; reading stops at the first other
// character and a text that starts with no digit reads as 0. A missing (null) or empty value,
// or one of blanks only, gives `defaultValue`. Digits beyond the 32-bit range wrap rather than
// overflow.
int32_t ReadSettingInteger(const char* text, int32_t defaultValue);
