#pragma once
// The glTF 2.0 reader: a .glb or .gltf file, or its bytes, to one plain model.

#include <cstddef>
#include <cstdint>
#include <string>

#include "retained/gltf/gltf_model.h"
#include "retained/io/load_status.h"

namespace varnoka::gltf {

// True for bytes that begin as binary glTF does, or as JSON text (the first non-blank byte '{').
bool LooksLikeGltf(const std::uint8_t* bytes, std::size_t size);

// Reads glTF bytes. Buffers and images named by relative URIs are read from `folder` (the model's
// own folder, "" for the current one) unless `sideFiles` is false. On anything but Ok the model is
// empty and `problem` says why in a sentence for the user.
LoadStatus ReadGltf(const std::uint8_t* bytes, std::size_t size, bool sideFiles, const std::string& folder,
                    Model& model, std::string& problem);

LoadStatus LoadGltfFile(const std::string& path, Model& model, std::string& problem);

}  // namespace varnoka::gltf
