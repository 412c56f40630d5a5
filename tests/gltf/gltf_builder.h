#pragma once
// Small glTF files written by hand in tests and fuzz seeds: JSON objects given as text, binary
// data packed into one buffer, out as a .glb or as .gltf text with the buffer in a data URI or
// in a file of its own.

#include <cstdint>
#include <string>
#include <vector>

namespace gltf_test {

using Bytes = std::vector<std::uint8_t>;

constexpr int Byte = 5120, UnsignedByte = 5121, Short = 5122, UnsignedShort = 5123, UnsignedInt = 5125, Float = 5126;

class GltfBuilder {
public:
    // Binary data appended at a four-byte boundary as a bufferView; its index.
    int View(const void* data, std::size_t size, int stride = 0);
    // An accessor over a bufferView (-1 for none); `extra` is added to its members, e.g.
    // "\"normalized\":true".
    int Accessor(int view, int componentType, std::size_t count, const std::string& type, std::size_t byteOffset = 0,
                 const std::string& extra = "");
    int Floats(const std::vector<float>& values, const std::string& type);
    int Indices(const std::vector<std::uint16_t>& values);
    int Indices32(const std::vector<std::uint32_t>& values);

    // A raw JSON object appended to a top-level array ("meshes", "nodes", ...); its index.
    int Add(const std::string& array, const std::string& object);
    // A mesh of one primitive; `extra` is added to the primitive, e.g. "\"mode\":5".
    int Mesh(int positions, int normals = -1, int texcoords = -1, int indices = -1, int material = -1,
             const std::string& extra = "");
    int Node(const std::string& object) { return Add("nodes", object); }
    // Members added to the top-level object, e.g. "\"extensionsRequired\":[\"X\"]".
    void TopLevel(const std::string& member) { topLevel_.push_back(member); }
    // The asset's version; "2.0" unless set.
    std::string version = "2.0";

    // .gltf text; the buffer as a data URI, or named by `bufferUri` (the file is the caller's).
    std::string Gltf(const std::string& bufferUri = "") const;
    Bytes Glb() const;
    const Bytes& Buffer() const { return buffer_; }

private:
    std::string Document(const std::string& buffer) const;

    Bytes buffer_;
    std::vector<std::pair<std::string, std::vector<std::string>>> arrays_;
    std::vector<std::string> topLevel_;
};

std::string Base64(const Bytes& bytes);
// A one-node scene drawing `mesh`: the builder's usual last step.
void SceneOfMesh(GltfBuilder& builder, int mesh, const std::string& nodeExtra = "");

// A PNG of width x height RGBA texels (row 0 on top), written with stb.
Bytes Png(int width, int height, const Bytes& rgba);

}  // namespace gltf_test
