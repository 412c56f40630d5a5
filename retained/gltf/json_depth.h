#pragma once

#include <cstddef>

namespace varnoka::gltf {

// True when no object or array in the JSON text nests deeper than `maxDepth`, counting brackets
// outside strings. One pass without recursion, so a file of a million '[' is refused at once
// instead of reaching the parser.
bool JsonDepthWithin(const char* text, std::size_t size, int maxDepth);

}  // namespace varnoka::gltf
