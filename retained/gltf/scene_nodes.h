#pragma once
// The nodes of the scene to draw, walked down from its roots with their transforms accumulated.

#include <cstdint>
#include <string>
#include <vector>

#include <tiny_gltf.h>

#include "retained/gltf/node_transform.h"

namespace varnoka::gltf {

struct MeshInstance {
    int mesh = 0;
    Matrix4 world;
};

// The default scene (`scene`), else the first, else every node that is no other's child. False with
// `problem` set for a node nested past MaxNodeDepth, a node reached twice (a loop, or a child with
// two parents) or an index to nothing.
bool CollectMeshInstances(const tinygltf::Model& document, std::vector<MeshInstance>& instances,
                          std::uint32_t& nodeCount, std::string& problem);

}  // namespace varnoka::gltf
