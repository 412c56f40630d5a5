#pragma once
// A parsed glTF document's default scene as one model in the engine's terms.

#include <string>

#include <tiny_gltf.h>

#include "retained/gltf/gltf_model.h"
#include "retained/gltf/side_files.h"

namespace varnoka::gltf {

// Every triangle primitive of every node drawn, transformed into model space and turned into the
// engine's left-handed space. The vertex and triangle limits are checked for the whole scene
// before any geometry is read. Skinned and morphed meshes are drawn in their rest pose: joints
// and targets are not applied. False with `problem` set.
bool AssembleScene(const tinygltf::Model& document, SideFiles& files, Model& model, std::string& problem);

}  // namespace varnoka::gltf
