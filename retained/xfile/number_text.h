#pragma once

#include <string_view>

#include "retained/xfile/token.h"

namespace varnoka::xfile {

// Fills `token` as a Number when `word` is one; false for anything else (a name).
bool ParseNumberWord(std::string_view word, Token& token);

}  // namespace varnoka::xfile
