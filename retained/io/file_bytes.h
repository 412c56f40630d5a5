#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "retained/io/load_status.h"

namespace varnoka {

// Larger files are refused as bad rather than read into memory whole.
constexpr std::uint64_t MaxInputFileBytes = 256u * 1024u * 1024u;

LoadStatus ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes);

}  // namespace varnoka
