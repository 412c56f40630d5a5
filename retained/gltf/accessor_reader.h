#pragma once
// Accessors read generically: any component type, normalized or not, interleaved or packed,
// sparse or dense. Every range is checked against its bufferView and buffer before a byte is read.

#include <cstdint>
#include <string>
#include <vector>

#include <tiny_gltf.h>

namespace varnoka::gltf {

// Elements of an accessor, after its checks; false when it cannot be read whole.
bool AccessorCount(const tinygltf::Model& document, int accessor, std::uint64_t& count);

// `components` floats per element (the accessor must have exactly that many). Integer components
// are scaled to [0, 1] or [-1, 1] when normalized, else converted as they are.
bool ReadFloats(const tinygltf::Model& document, int accessor, int components, std::vector<float>& values,
                std::string& problem);

// Unsigned indices of one component each.
bool ReadIndices(const tinygltf::Model& document, int accessor, std::vector<std::uint32_t>& indices,
                 std::string& problem);

}  // namespace varnoka::gltf
