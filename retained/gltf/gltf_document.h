#pragma once
// tinygltf's parse of a glTF document, with our own file access and no image decoding: buffers
// beside the model come through SideFiles, and an image from a data URI is kept encoded in
// Image::image for our own decoder to read later, when a drawn material uses it.

#include <cstddef>
#include <cstdint>
#include <string>

#include <tiny_gltf.h>

#include "retained/gltf/side_files.h"

namespace varnoka::gltf {

// False with tinygltf's own error text in `error` (the JSON parser's when the text is not JSON).
bool ParseDocument(const std::uint8_t* bytes, std::size_t size, bool binary, SideFiles& files,
                   tinygltf::Model& document, std::string& error);

}  // namespace varnoka::gltf
