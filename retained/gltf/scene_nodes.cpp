#include "retained/gltf/scene_nodes.h"

#include "retained/gltf/gltf_limits.h"

namespace varnoka::gltf {

namespace {

class NodeWalk {
public:
    NodeWalk(const tinygltf::Model& document, std::vector<MeshInstance>& instances, std::string& problem)
        : document_(document), instances_(instances), problem_(problem), visited_(document.nodes.size(), false) {}

    // Recursion is bounded by MaxNodeDepth, checked before each step down.
    bool Visit(int index, const Matrix4& parentWorld, int depth) {
        if (index < 0 || static_cast<std::size_t>(index) >= document_.nodes.size()) {
            problem_ = "The car's nodes name a node the file does not have.";
            return false;
        }
        if (visited_[static_cast<std::size_t>(index)]) {
            problem_ = "The car's nodes loop back on themselves or share a child.";
            return false;
        }
        if (depth > MaxNodeDepth) {
            problem_ = "The car's nodes are nested deeper than " + std::to_string(MaxNodeDepth) + ".";
            return false;
        }
        visited_[static_cast<std::size_t>(index)] = true;
        ++nodeCount;
        const tinygltf::Node& node = document_.nodes[static_cast<std::size_t>(index)];
        const Matrix4 world = Multiply(parentWorld, LocalMatrix(node));
        if (node.mesh >= 0) {
            if (static_cast<std::size_t>(node.mesh) >= document_.meshes.size()) {
                problem_ = "The car's nodes name a mesh the file does not have.";
                return false;
            }
            instances_.push_back({node.mesh, world});
        }
        for (int child : node.children)
            if (!Visit(child, world, depth + 1)) return false;
        return true;
    }

    std::uint32_t nodeCount = 0;

private:
    const tinygltf::Model& document_;
    std::vector<MeshInstance>& instances_;
    std::string& problem_;
    std::vector<bool> visited_;
};

}  // namespace

bool CollectMeshInstances(const tinygltf::Model& document, std::vector<MeshInstance>& instances,
                          std::uint32_t& nodeCount, std::string& problem) {
    instances.clear();
    std::vector<int> roots;
    if (document.defaultScene >= 0 || !document.scenes.empty()) {
        const auto scene = static_cast<std::size_t>(document.defaultScene >= 0 ? document.defaultScene : 0);
        if (scene >= document.scenes.size()) {
            problem = "The glTF file names a scene it does not have.";
            return false;
        }
        roots = document.scenes[scene].nodes;
    } else {
        std::vector<bool> isChild(document.nodes.size(), false);
        for (const tinygltf::Node& node : document.nodes)
            for (int child : node.children)
                if (child >= 0 && static_cast<std::size_t>(child) < isChild.size())
                    isChild[static_cast<std::size_t>(child)] = true;
        for (std::size_t i = 0; i < isChild.size(); ++i)
            if (!isChild[i]) roots.push_back(static_cast<int>(i));
    }
    NodeWalk walk(document, instances, problem);
    for (int root : roots)
        if (!walk.Visit(root, Matrix4{}, 1)) return false;
    nodeCount = walk.nodeCount;
    return true;
}

}  // namespace varnoka::gltf
