#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "retained/xfile/loaded_model.h"
#include "retained/xfile/matrix4.h"

namespace varnoka::xfile {

constexpr std::uint32_t Unresolved = 0xFFFFFFFFu;

// A mesh's material: read in place (index into the document's materials) or named by a
// reference that is resolved once the whole file has been read.
struct MaterialSlot {
    std::uint32_t index = Unresolved;
    std::string referenceName;
};

// One Mesh object as written, indices checked against its own counts.
struct ParsedMesh {
    std::vector<Vector3> positions;
    std::vector<std::uint32_t> faceSizes;
    std::vector<std::uint32_t> faceIndices;
    bool hasNormals = false;
    std::vector<Vector3> normals;
    std::vector<std::uint32_t> normalIndices;  // parallel to faceIndices
    std::vector<Vector2> textureCoords;        // empty or one per position
    std::vector<ColorRGBA> vertexColors;       // empty or one per position
    std::vector<std::uint32_t> faceMaterials;  // empty or one per face
    std::vector<MaterialSlot> materials;
};

struct ParsedFrame {
    Matrix4 transform;
    std::vector<std::uint32_t> meshes;
    std::vector<std::string> meshReferences;
    std::vector<std::uint32_t> children;
};

struct TopLevelItem {
    enum class Kind { Frame, Mesh } kind;
    std::uint32_t index;
};

struct ParsedDocument {
    std::vector<ParsedMesh> meshes;
    std::vector<Material> materials;
    std::vector<ParsedFrame> frames;
    std::vector<TopLevelItem> topLevel;
    std::unordered_map<std::string, std::uint32_t> meshByName;
    std::unordered_map<std::string, std::uint32_t> materialByName;
};

}  // namespace varnoka::xfile
