#include "gltf_builder.h"

#include <algorithm>
#include <cstring>

#include <stb_image_write.h>

namespace gltf_test {

namespace {

void Put32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    out->insert(out->end(), static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
}

}  // namespace

int GltfBuilder::View(const void* data, std::size_t size, int stride) {
    while (buffer_.size() % 4 != 0) buffer_.push_back(0);
    const std::size_t offset = buffer_.size();
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    std::string view =
        "{\"buffer\":0,\"byteOffset\":" + std::to_string(offset) + ",\"byteLength\":" + std::to_string(size);
    if (stride != 0) view += ",\"byteStride\":" + std::to_string(stride);
    return Add("bufferViews", view + "}");
}

int GltfBuilder::Accessor(int view, int componentType, std::size_t count, const std::string& type,
                          std::size_t byteOffset, const std::string& extra) {
    std::string accessor = "{";
    if (view >= 0)
        accessor += "\"bufferView\":" + std::to_string(view) + ",\"byteOffset\":" + std::to_string(byteOffset) + ",";
    accessor += "\"componentType\":" + std::to_string(componentType) + ",\"count\":" + std::to_string(count) +
                ",\"type\":\"" + type + "\"";
    if (!extra.empty()) accessor += "," + extra;
    return Add("accessors", accessor + "}");
}

int GltfBuilder::Floats(const std::vector<float>& values, const std::string& type) {
    const std::size_t components = type == "SCALAR" ? 1 : type == "VEC2" ? 2 : type == "VEC3" ? 3 : 4;
    const int view = View(values.data(), values.size() * sizeof(float));
    return Accessor(view, Float, values.size() / components, type);
}

int GltfBuilder::Indices(const std::vector<std::uint16_t>& values) {
    const int view = View(values.data(), values.size() * sizeof(std::uint16_t));
    return Accessor(view, UnsignedShort, values.size(), "SCALAR");
}

int GltfBuilder::Indices32(const std::vector<std::uint32_t>& values) {
    const int view = View(values.data(), values.size() * sizeof(std::uint32_t));
    return Accessor(view, UnsignedInt, values.size(), "SCALAR");
}

int GltfBuilder::Add(const std::string& array, const std::string& object) {
    auto found = std::find_if(arrays_.begin(), arrays_.end(), [&](const auto& a) { return a.first == array; });
    if (found == arrays_.end()) found = arrays_.insert(arrays_.end(), {array, {}});
    found->second.push_back(object);
    return static_cast<int>(found->second.size()) - 1;
}

int GltfBuilder::Mesh(int positions, int normals, int texcoords, int indices, int material, const std::string& extra) {
    std::string attributes = "\"POSITION\":" + std::to_string(positions);
    if (normals >= 0) attributes += ",\"NORMAL\":" + std::to_string(normals);
    if (texcoords >= 0) attributes += ",\"TEXCOORD_0\":" + std::to_string(texcoords);
    std::string primitive = "{\"attributes\":{" + attributes + "}";
    if (indices >= 0) primitive += ",\"indices\":" + std::to_string(indices);
    if (material >= 0) primitive += ",\"material\":" + std::to_string(material);
    if (!extra.empty()) primitive += "," + extra;
    return Add("meshes", "{\"primitives\":[" + primitive + "}]}");
}

std::string GltfBuilder::Document(const std::string& buffer) const {
    std::string json = "{\"asset\":{\"version\":\"" + version + "\"}";
    if (!buffer_.empty()) json += ",\"buffers\":[" + buffer + "]";
    for (const auto& [name, objects] : arrays_) {
        json += ",\"" + name + "\":[";
        for (std::size_t i = 0; i < objects.size(); ++i) json += (i ? "," : "") + objects[i];
        json += "]";
    }
    for (const std::string& member : topLevel_) json += "," + member;
    return json + "}";
}

std::string GltfBuilder::Gltf(const std::string& bufferUri) const {
    const std::string uri = bufferUri.empty() ? "data:application/octet-stream;base64," + Base64(buffer_) : bufferUri;
    return Document("{\"byteLength\":" + std::to_string(buffer_.size()) + ",\"uri\":\"" + uri + "\"}");
}

Bytes GltfBuilder::Glb() const {
    std::string json = Document("{\"byteLength\":" + std::to_string(buffer_.size()) + "}");
    while (json.size() % 4 != 0) json.push_back(' ');
    Bytes bin = buffer_;
    while (bin.size() % 4 != 0) bin.push_back(0);
    Bytes out = {'g', 'l', 'T', 'F'};
    Put32(out, 2);
    Put32(out, static_cast<std::uint32_t>(12 + 8 + json.size() + (bin.empty() ? 0 : 8 + bin.size())));
    Put32(out, static_cast<std::uint32_t>(json.size()));
    Put32(out, 0x4E4F534A);
    out.insert(out.end(), json.begin(), json.end());
    if (!bin.empty()) {
        Put32(out, static_cast<std::uint32_t>(bin.size()));
        Put32(out, 0x004E4942);
        out.insert(out.end(), bin.begin(), bin.end());
    }
    return out;
}

std::string Base64(const Bytes& bytes) {
    static const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t chunk = static_cast<std::uint32_t>(bytes[i]) << 16 |
                                    (i + 1 < bytes.size() ? static_cast<std::uint32_t>(bytes[i + 1]) << 8 : 0) |
                                    (i + 2 < bytes.size() ? bytes[i + 2] : 0);
        out.push_back(Alphabet[chunk >> 18 & 63]);
        out.push_back(Alphabet[chunk >> 12 & 63]);
        out.push_back(i + 1 < bytes.size() ? Alphabet[chunk >> 6 & 63] : '=');
        out.push_back(i + 2 < bytes.size() ? Alphabet[chunk & 63] : '=');
    }
    return out;
}

void SceneOfMesh(GltfBuilder& builder, int mesh, const std::string& nodeExtra) {
    const int node =
        builder.Node("{\"mesh\":" + std::to_string(mesh) + (nodeExtra.empty() ? "" : "," + nodeExtra) + "}");
    builder.Add("scenes", "{\"nodes\":[" + std::to_string(node) + "]}");
    builder.TopLevel("\"scene\":0");
}

Bytes Png(int width, int height, const Bytes& rgba) {
    Bytes png;
    stbi_write_png_to_func(AppendBytes, &png, width, height, 4, rgba.data(), width * 4);
    return png;
}

}  // namespace gltf_test
