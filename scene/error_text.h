#pragma once
#include <cstdint>

#include "retained/com_types.h"

// Readable text for the result codes the saver shows when setting up its scene fails.
struct ErrorTextEntry {
    HRESULT code;
    const char* text;
};

// Ascending by the code read as an unsigned 32-bit value, so it can be searched by halving.
constexpr int32_t ErrorTextCount = 130;
extern const ErrorTextEntry ErrorTexts[ErrorTextCount];

// Never null: a code not in the table reads "Unrecognized error value."
const char* ErrorText(HRESULT code);
