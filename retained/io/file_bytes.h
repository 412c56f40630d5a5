#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "retained/io/load_status.h"

namespace varnoka {

// Larger files are refused as bad rather than read into memory whole.
constexpr std::uint64_t MaxInputFileBytes = 256u * 1024u * 1024u;

LoadStatus ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

// The same with a limit of the caller's: a file of more than `maxBytes` is BadFile with `tooLarge`
// set, found before anything is allocated for it.
LoadStatus ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::uint64_t maxBytes,
                         bool& tooLarge);

}  // namespace varnoka
