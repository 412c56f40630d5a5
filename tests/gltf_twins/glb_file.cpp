#include "tests/gltf_twins/glb_file.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace gltf_test {

namespace {

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
    if (at + 4 > bytes.size()) throw std::runtime_error("the file ends inside a header");
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

int ComponentSize(int type) {
    switch (type) {
        case 5121:
            return 1;
        case 5123:
            return 2;
        case 5125:
            return 4;
        case 5126:
            return 4;
    }
    throw std::runtime_error("unexpected component type " + std::to_string(type));
}

int ComponentCount(const std::string& type) {
    if (type == "SCALAR") return 1;
    if (type == "VEC2") return 2;
    if (type == "VEC3") return 3;
    if (type == "VEC4") return 4;
    if (type == "MAT4") return 16;
    throw std::runtime_error("unexpected accessor type " + type);
}

using Matrix = std::array<double, 16>;  // column-major, as glTF writes it

Matrix Identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) m[c * 4 + r] += a[k * 4 + r] * b[c * 4 + k];
    return m;
}

// Our writer places nodes by matrix or translation only.
Matrix LocalMatrix(const nlohmann::json& node) {
    if (node.contains("rotation") || node.contains("scale")) throw std::runtime_error("a node turned or scaled by TRS");
    if (node.contains("matrix")) return node["matrix"].get<Matrix>();
    Matrix m = Identity();
    if (node.contains("translation")) {
        const auto t = node["translation"].get<Point>();
        for (int r = 0; r < 3; ++r) m[12 + r] = t[r];
    }
    return m;
}

Point Transform(const Matrix& m, const Point& p, double w) {
    Point out{};
    for (int r = 0; r < 3; ++r) out[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r] * w;
    return out;
}

Point Normalized(Point p) {
    const double length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    if (length > 0)
        for (double& c : p) c /= length;
    return p;
}

void AddNode(const GlbFile& file, int index, const Matrix& parent, std::vector<PlacedTriangle>& out) {
    const nlohmann::json& node = file.json.at("nodes").at(static_cast<std::size_t>(index));
    const Matrix world = Multiply(parent, LocalMatrix(node));
    if (node.contains("mesh")) {
        const nlohmann::json& mesh = file.json.at("meshes").at(node["mesh"].get<std::size_t>());
        for (const nlohmann::json& primitive : mesh.at("primitives")) {
            const auto positions = AccessorValues(file, primitive["attributes"]["POSITION"]);
            const auto normals = AccessorValues(file, primitive["attributes"]["NORMAL"]);
            const auto indices = AccessorValues(file, primitive["indices"]);
            for (std::size_t i = 0; i + 2 < indices.size(); i += 3) {
                PlacedTriangle t;
                t.material = primitive.value("material", -1);
                for (std::size_t k = 0; k < 3; ++k) {
                    const auto v = static_cast<std::size_t>(indices[i + k]) * 3;
                    if (v + 3 > positions.size()) throw std::runtime_error("an index past the vertices");
                    t.corners[k] = Transform(world, {positions[v], positions[v + 1], positions[v + 2]}, 1);
                    // Placements here never scale, so the matrix turns normals as it turns points.
                    t.normals[k] = Normalized(Transform(world, {normals[v], normals[v + 1], normals[v + 2]}, 0));
                }
                out.push_back(t);
            }
        }
    }
    for (const nlohmann::json& child : node.value("children", nlohmann::json::array()))
        AddNode(file, child.get<int>(), world, out);
}

}  // namespace

GlbFile ParseGlb(const std::string& bytes) {
    GlbFile file;
    file.magic = U32At(bytes, 0);
    file.version = U32At(bytes, 4);
    file.length = U32At(bytes, 8);
    const std::uint32_t jsonLength = U32At(bytes, 12);
    file.jsonChunkType = U32At(bytes, 16);
    if (20 + std::uint64_t{jsonLength} > bytes.size()) throw std::runtime_error("the JSON chunk passes the end");
    file.jsonText = bytes.substr(20, jsonLength);
    const std::size_t binAt = 20 + std::size_t{jsonLength};
    if (binAt < bytes.size()) {
        const std::uint32_t binLength = U32At(bytes, binAt);
        file.binChunkType = U32At(bytes, binAt + 4);
        if (binAt + 8 + std::uint64_t{binLength} > bytes.size())
            throw std::runtime_error("the BIN chunk passes the end");
        file.bin = bytes.substr(binAt + 8, binLength);
    }
    file.json = nlohmann::json::parse(file.jsonText);
    return file;
}

std::vector<double> AccessorValues(const GlbFile& file, int index) {
    const nlohmann::json& accessor = file.json.at("accessors").at(static_cast<std::size_t>(index));
    const nlohmann::json& view = file.json.at("bufferViews").at(accessor.at("bufferView").get<std::size_t>());
    const std::uint64_t viewStart = view.value("byteOffset", 0u);
    const std::uint64_t viewLength = view.at("byteLength").get<std::uint64_t>();
    const std::uint64_t bufferLength = file.json.at("buffers").at(0).at("byteLength").get<std::uint64_t>();
    if (viewStart + viewLength > bufferLength || bufferLength > file.bin.size())
        throw std::runtime_error("a buffer view passes its buffer");
    const int componentType = accessor.at("componentType");
    const int size = ComponentSize(componentType);
    const std::uint64_t count = accessor.at("count").get<std::uint64_t>() * ComponentCount(accessor.at("type"));
    const std::uint64_t start = viewStart + accessor.value("byteOffset", 0u);
    if (start + count * static_cast<std::uint64_t>(size) > viewStart + viewLength)
        throw std::runtime_error("an accessor passes its buffer view");
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(count));
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::size_t at = static_cast<std::size_t>(start + i * static_cast<std::uint64_t>(size));
        if (componentType == 5126) {
            float f;
            const std::uint32_t bits = U32At(file.bin, at);
            std::memcpy(&f, &bits, sizeof f);
            values.push_back(f);
        } else if (size == 4) {
            values.push_back(U32At(file.bin, at));
        } else if (size == 2) {
            values.push_back(static_cast<std::uint8_t>(file.bin[at]) | static_cast<std::uint8_t>(file.bin[at + 1])
                                                                           << 8);
        } else {
            values.push_back(static_cast<std::uint8_t>(file.bin[at]));
        }
    }
    return values;
}

std::vector<PlacedTriangle> SceneTriangles(const GlbFile& file) {
    std::vector<PlacedTriangle> triangles;
    const nlohmann::json& scene = file.json.at("scenes").at(file.json.value("scene", 0u));
    for (const nlohmann::json& root : scene.at("nodes")) AddNode(file, root.get<int>(), Identity(), triangles);
    return triangles;
}

}  // namespace gltf_test
