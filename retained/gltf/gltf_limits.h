#pragma once
// How much of a glTF car we are willing to read. A hostile file is refused with the limit it
// broke before the memory it asks for is taken.

#include <cstdint>

namespace varnoka::gltf {

// The model file and every .bin and image file beside it together (as MaxInputFileBytes).
constexpr std::uint64_t MaxTotalFileBytes = 256u * 1024u * 1024u;
// Brackets nested deeper than this are refused before the JSON is parsed.
constexpr int MaxJsonDepth = 64;
constexpr int MaxNodeDepth = 64;
// After strips and fans are split and double-sided faces doubled.
constexpr std::uint64_t MaxTriangles = 2000000;
constexpr std::uint64_t MaxVertices = 2000000;
// As the engine's largest texture side.
constexpr std::uint32_t MaxImageSide = 8192;
// Decoded texels of all images and their baked copies together.
constexpr std::uint64_t MaxTotalTexels = std::uint64_t{1} << 26;
// Corners that share one position and are compared for smoothing; past this a corner keeps its
// face's normal, so a forged fan around one point cannot make smoothing quadratic.
constexpr std::uint32_t MaxSmoothingGroup = 128;

}  // namespace varnoka::gltf
