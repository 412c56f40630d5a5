#include "tools/model_generator/glb_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "tools/model_generator/mesh_normals.h"
#include "tools/model_generator/png_encoding.h"
#include "tools/model_generator/quantize.h"

namespace varnoka::models {

namespace {

using Json = nlohmann::json;

constexpr std::uint32_t GlbMagic = 0x46546C67;  // "glTF"
constexpr std::uint32_t JsonChunk = 0x4E4F534A;
constexpr std::uint32_t BinChunk = 0x004E4942;
constexpr int FloatComponent = 5126;
constexpr int UnsignedShortComponent = 5123;
constexpr int UnsignedIntComponent = 5125;
constexpr int ArrayBufferTarget = 34962;
constexpr int ElementArrayBufferTarget = 34963;

// Numbers as the .x writer rounds them, so that both files carry the same values.
double Written(double value) { return static_cast<double>(Quantize(value)) * WrittenStep; }

// Our space is left-handed with z into the screen; glTF's is right-handed with z out of it.
// Negated as 0 - x, which never leaves a -0 in the file.
double Negated(double value) { return 0.0 - value; }
Vec3 ToGltf(Vec3 v) { return {Written(v.x), Written(v.y), Negated(Written(v.z))}; }

double Unit(double value) { return std::clamp(value, 0.0, 1.0); }

void AppendU32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void AppendF32(std::string& out, double value) {
    const float f = static_cast<float>(value);
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    AppendU32(out, bits);
}

// The BIN chunk and the buffer views and accessors into it, each view starting on four bytes.
class BinaryData {
public:
    int View(const std::string& bytes, int target) {
        Json view{{"buffer", 0}, {"byteOffset", bin_.size()}, {"byteLength", bytes.size()}};
        if (target != 0) view["target"] = target;
        bin_ += bytes;
        bin_.append((4 - bin_.size() % 4) % 4, '\0');
        views_.push_back(std::move(view));
        return static_cast<int>(views_.size() - 1);
    }

    int Accessor(const std::string& bytes, int target, int componentType, std::size_t count, const char* type) {
        Json accessor{
            {"bufferView", View(bytes, target)}, {"componentType", componentType}, {"count", count}, {"type", type}};
        accessors_.push_back(std::move(accessor));
        return static_cast<int>(accessors_.size() - 1);
    }

    Json& LastAccessor() { return accessors_.back(); }
    const std::string& Bin() const { return bin_; }
    Json Views() const { return views_; }
    Json Accessors() const { return accessors_; }

private:
    std::string bin_;
    Json views_ = Json::array();
    Json accessors_ = Json::array();
};

// One glTF vertex per distinct pair of point and corner normal, in order of first use.
struct Corners {
    std::vector<std::uint32_t> point;
    std::vector<std::uint32_t> normal;
    std::vector<std::array<std::uint32_t, 3>> ofTriangle;
};

Corners SplitCorners(const Mesh& mesh, const CornerNormals& normals) {
    Corners corners;
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> index;
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
        std::array<std::uint32_t, 3> vertices{};
        for (int k = 0; k < 3; ++k) {
            const std::pair<std::uint32_t, std::uint32_t> key{mesh.triangles[t].corners[k], normals.ofTriangle[t][k]};
            const auto found = index.emplace(key, static_cast<std::uint32_t>(corners.point.size()));
            if (found.second) {
                corners.point.push_back(key.first);
                corners.normal.push_back(key.second);
            }
            vertices[k] = found.first->second;
        }
        corners.ofTriangle.push_back(vertices);
    }
    return corners;
}

void CheckPart(const Part& part, std::size_t paletteSize) {
    const Mesh& mesh = part.mesh;
    if (!mesh.texCoords.empty() && mesh.texCoords.size() != mesh.positions.size())
        throw std::invalid_argument("part " + part.name + " has texture coordinates for some points only");
    for (const Triangle& t : mesh.triangles) {
        if (t.material >= paletteSize) throw std::invalid_argument("part " + part.name + " names a missing material");
        for (std::uint32_t c : t.corners) {
            if (c >= mesh.positions.size())
                throw std::invalid_argument("part " + part.name + " has a corner past its points");
        }
    }
}

// The part's mesh: one primitive per material it wears, in palette order, sharing its vertices.
Json MeshOf(const Part& part, std::size_t paletteSize, BinaryData& data) {
    CheckPart(part, paletteSize);
    const Mesh& mesh = part.mesh;
    const CornerNormals normals = ComputeNormals(mesh, part.creaseDegrees);
    const Corners corners = SplitCorners(mesh, normals);
    const std::size_t count = corners.point.size();

    std::string positions, normalBytes, texCoords;
    double low[3] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                     std::numeric_limits<double>::max()};
    double high[3] = {std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest(),
                      std::numeric_limits<double>::lowest()};
    for (std::size_t v = 0; v < count; ++v) {
        const Vec3 p = ToGltf(mesh.positions[corners.point[v]]);
        const double xyz[3] = {p.x, p.y, p.z};
        for (int i = 0; i < 3; ++i) {
            // The bounds as the stored floats are, which readers check the data against.
            const double stored = static_cast<float>(xyz[i]);
            AppendF32(positions, stored);
            low[i] = std::min(low[i], stored);
            high[i] = std::max(high[i], stored);
        }
        const Vec3 n = ToGltf(normals.normals[corners.normal[v]]);
        for (double c : {n.x, n.y, n.z}) AppendF32(normalBytes, c);
        if (!mesh.texCoords.empty()) {
            const TexCoord& uv = mesh.texCoords[corners.point[v]];
            AppendF32(texCoords, Written(uv.u));
            AppendF32(texCoords, Written(uv.v));
        }
    }
    Json attributes;
    attributes["POSITION"] = data.Accessor(positions, ArrayBufferTarget, FloatComponent, count, "VEC3");
    data.LastAccessor()["min"] = {low[0], low[1], low[2]};
    data.LastAccessor()["max"] = {high[0], high[1], high[2]};
    attributes["NORMAL"] = data.Accessor(normalBytes, ArrayBufferTarget, FloatComponent, count, "VEC3");
    if (!texCoords.empty())
        attributes["TEXCOORD_0"] = data.Accessor(texCoords, ArrayBufferTarget, FloatComponent, count, "VEC2");

    std::map<std::uint32_t, std::vector<std::uint32_t>> byMaterial;
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
        const auto& c = corners.ofTriangle[t];
        // Our fronts are clockwise, glTF's counter-clockwise: the same corners the other way round.
        auto& indices = byMaterial[mesh.triangles[t].material];
        indices.insert(indices.end(), {c[0], c[2], c[1]});
    }
    const bool shortIndices = count <= std::numeric_limits<std::uint16_t>::max();
    Json primitives = Json::array();
    for (const auto& entry : byMaterial) {
        std::string indices;
        for (std::uint32_t i : entry.second) {
            if (shortIndices) {
                indices += static_cast<char>(i & 0xFF);
                indices += static_cast<char>(i >> 8);
            } else {
                AppendU32(indices, i);
            }
        }
        const int accessor =
            data.Accessor(indices, ElementArrayBufferTarget,
                          shortIndices ? UnsignedShortComponent : UnsignedIntComponent, entry.second.size(), "SCALAR");
        primitives.push_back({{"attributes", attributes}, {"indices", accessor}, {"material", entry.first}});
    }
    return {{"name", part.name}, {"primitives", primitives}};
}

bool OnlyMoves(const Placement& p) {
    return p.xAxis.x == 1 && p.xAxis.y == 0 && p.xAxis.z == 0 && p.yAxis.x == 0 && p.yAxis.y == 1 && p.yAxis.z == 0 &&
           p.zAxis.x == 0 && p.zAxis.y == 0 && p.zAxis.z == 1;
}

// A frame that only moves its parts is written as a translation, one that turns them as a
// matrix. Our row-vector matrix M becomes glTF's column-major one, mirrored as S·M·S with
// S = diag(1, 1, -1): the z parts of the axes and of the offset change sign, z's own does not.
void PlaceNode(Json& node, const Placement& p) {
    const Vec3 offset = ToGltf(p.offset);
    if (OnlyMoves(p)) {
        if (offset.x != 0 || offset.y != 0 || offset.z != 0) node["translation"] = {offset.x, offset.y, offset.z};
        return;
    }
    const Vec3 x = ToGltf(p.xAxis), y = ToGltf(p.yAxis), z = ToGltf(p.zAxis);
    node["matrix"] = {x.x,          x.y,          x.z,          0, y.x,      y.y,      y.z,      0,
                      Negated(z.x), Negated(z.y), Negated(z.z), 0, offset.x, offset.y, offset.z, 1};
}

Json MaterialOf(const Material& m, const std::map<std::string, int>& textureIndex) {
    Json pbr{{"baseColorFactor", {Unit(m.face.r), Unit(m.face.g), Unit(m.face.b), Unit(m.alpha)}},
             {"metallicFactor", 0},
             {"roughnessFactor", RoughnessOfPower(m.power)}};
    if (!m.texture.empty()) pbr["baseColorTexture"] = {{"index", textureIndex.at(m.texture)}};
    return {{"name", m.name},
            {"pbrMetallicRoughness", pbr},
            {"emissiveFactor", {Unit(m.emissive.r), Unit(m.emissive.g), Unit(m.emissive.b)}},
            {"alphaMode", m.alpha < 1 ? "BLEND" : "OPAQUE"},
            {"doubleSided", false}};
}

const Part& SharedPart(const CarModel& car, const std::string& name) {
    for (const Part& part : car.sharedParts) {
        if (part.name == name) return part;
    }
    throw std::invalid_argument("no shared part named " + name);
}

std::string Assemble(const Json& document, const std::string& bin) {
    std::string json = document.dump();
    json.append((4 - json.size() % 4) % 4, ' ');
    const std::uint64_t total = 12 + 8 + json.size() + 8 + bin.size();
    if (total > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("the car does not fit in a .glb file");
    std::string out;
    out.reserve(static_cast<std::size_t>(total));
    AppendU32(out, GlbMagic);
    AppendU32(out, 2);
    AppendU32(out, static_cast<std::uint32_t>(total));
    AppendU32(out, static_cast<std::uint32_t>(json.size()));
    AppendU32(out, JsonChunk);
    out += json;
    AppendU32(out, static_cast<std::uint32_t>(bin.size()));
    AppendU32(out, BinChunk);
    out += bin;
    return out;
}

}  // namespace

double RoughnessOfPower(double power) {
    // The reader's power is 2/a² - 2 with a = roughness².
    return power > 0 ? std::pow(2.0 / (power + 2.0), 0.25) : 1.0;
}

std::string WriteGlb(const CarModel& car, const TexturePictures& textures) {
    BinaryData data;

    // Each picture once, in order of first use.
    std::map<std::string, int> textureIndex;
    Json images = Json::array(), gltfTextures = Json::array();
    for (const Material& m : car.palette) {
        if (m.texture.empty() || textureIndex.count(m.texture) != 0) continue;
        const auto picture = textures.find(m.texture);
        if (picture == textures.end()) throw std::invalid_argument("no picture for texture " + m.texture);
        const int view = data.View(EncodePng(picture->second), 0);
        images.push_back({{"name", m.texture}, {"bufferView", view}, {"mimeType", "image/png"}});
        textureIndex[m.texture] = static_cast<int>(gltfTextures.size());
        gltfTextures.push_back({{"source", images.size() - 1}});
    }
    Json materials = Json::array();
    for (const Material& m : car.palette) materials.push_back(MaterialOf(m, textureIndex));

    Json meshes = Json::array();
    std::map<std::string, int> sharedMesh;
    Json nodes = Json::array();
    nodes.push_back({{"name", car.name}});
    PlaceNode(nodes[0], Translation(car.offset));
    Json frameNodes = Json::array();
    for (const PartFrame& frame : car.frames) {
        Json frameNode{{"name", frame.name}};
        PlaceNode(frameNode, frame.placement);
        std::vector<std::pair<std::string, int>> partMeshes;
        for (const Part& part : frame.parts) {
            if (part.mesh.triangles.empty()) continue;  // glTF has no empty mesh
            meshes.push_back(MeshOf(part, car.palette.size(), data));
            partMeshes.emplace_back(part.name, static_cast<int>(meshes.size() - 1));
        }
        for (const std::string& name : frame.sharedParts) {
            const Part& part = SharedPart(car, name);
            if (part.mesh.triangles.empty()) continue;
            auto found = sharedMesh.find(name);
            if (found == sharedMesh.end()) {
                meshes.push_back(MeshOf(part, car.palette.size(), data));
                found = sharedMesh.emplace(name, static_cast<int>(meshes.size() - 1)).first;
            }
            // Named as the .x file names its copy.
            partMeshes.emplace_back(frame.name + name, found->second);
        }
        const int frameIndex = static_cast<int>(nodes.size());
        nodes.push_back(frameNode);
        Json children = Json::array();
        for (const auto& entry : partMeshes) {
            children.push_back(nodes.size());
            nodes.push_back({{"name", entry.first}, {"mesh", entry.second}});
        }
        if (!children.empty()) nodes[frameIndex]["children"] = children;
        frameNodes.push_back(frameIndex);
    }
    if (!frameNodes.empty()) nodes[0]["children"] = frameNodes;

    Json document{
        {"asset", {{"version", "2.0"}, {"generator", "Varnoka model generator"}}}, {"scene", 0}, {"nodes", nodes}};
    document["scenes"] = Json::array({Json{{"name", car.name}, {"nodes", Json::array({0})}}});
    if (!materials.empty()) document["materials"] = materials;
    if (!meshes.empty()) document["meshes"] = meshes;
    if (!images.empty()) {
        document["images"] = images;
        document["textures"] = gltfTextures;
    }
    if (!data.Bin().empty()) {
        document["buffers"] = {{{"byteLength", data.Bin().size()}}};
        document["bufferViews"] = data.Views();
        document["accessors"] = data.Accessors();
    }
    return Assemble(document, data.Bin());
}

}  // namespace varnoka::models
