#pragma once
// The binary glTF container: a 12-byte header, a JSON chunk and an optional BIN chunk.

#include <cstddef>
#include <cstdint>
#include <string>

namespace varnoka::gltf {

struct GlbLayout {
    std::size_t length = 0;  // bytes of the container as its header gives them
    std::size_t jsonOffset = 0;
    std::size_t jsonSize = 0;
};

constexpr std::uint32_t GlbMagic = 0x46546C67;  // "glTF"

// Checks every chunk lies inside the bytes before anything reads them. False with `problem` set
// when the container is cut short or malformed.
bool ReadGlbLayout(const std::uint8_t* bytes, std::size_t size, GlbLayout& layout, std::string& problem);

}  // namespace varnoka::gltf
