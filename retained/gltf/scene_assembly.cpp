#include "retained/gltf/scene_assembly.h"

#include <cmath>
#include <set>

#include "retained/gltf/accessor_reader.h"
#include "retained/gltf/gltf_limits.h"
#include "retained/gltf/image_source.h"
#include "retained/gltf/material_table.h"
#include "retained/gltf/scene_nodes.h"
#include "retained/gltf/smooth_normals.h"

namespace varnoka::gltf {

namespace {

const std::string Damaged = "The car's geometry points outside its data.";

struct PrimitiveDraw {
    const MeshInstance* instance = nullptr;
    const tinygltf::Primitive* primitive = nullptr;
};

int Attribute(const tinygltf::Primitive& primitive, const char* name) {
    const auto found = primitive.attributes.find(name);
    return found == primitive.attributes.end() ? -1 : found->second;
}

bool IsTriangleMode(int mode) {
    return mode == TINYGLTF_MODE_TRIANGLES || mode == TINYGLTF_MODE_TRIANGLE_STRIP ||
           mode == TINYGLTF_MODE_TRIANGLE_FAN;
}

std::uint64_t TrianglesOf(int mode, std::uint64_t corners) {
    if (mode == TINYGLTF_MODE_TRIANGLES) return corners / 3;
    return corners >= 3 ? corners - 2 : 0;
}

// Counter-clockwise triangles as glTF lists them; strips alternate so every one keeps its
// front, and triangles that repeat a corner are dropped.
std::vector<std::uint32_t> TriangleCorners(int mode, const std::vector<std::uint32_t>& indices) {
    std::vector<std::uint32_t> corners;
    const std::size_t count = TrianglesOf(mode, indices.size());
    corners.reserve(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t a, b, c;
        if (mode == TINYGLTF_MODE_TRIANGLES) {
            a = indices[i * 3], b = indices[i * 3 + 1], c = indices[i * 3 + 2];
        } else if (mode == TINYGLTF_MODE_TRIANGLE_STRIP) {
            a = indices[i];
            b = indices[i + 1 + i % 2];
            c = indices[i + 2 - i % 2];
        } else {
            a = indices[i + 1], b = indices[i + 2], c = indices[0];
        }
        if (a == b || b == c || a == c) continue;
        corners.insert(corners.end(), {a, b, c});
    }
    return corners;
}

class Assembler {
public:
    Assembler(const tinygltf::Model& document, SideFiles& files, Model& model, std::string& problem)
        : document_(document),
          images_(document, files),
          materials_(document, images_, model),
          model_(model),
          problem_(problem) {}

    bool Run() {
        std::vector<MeshInstance> instances;
        if (!CollectMeshInstances(document_, instances, model_.counts.nodes, problem_)) return false;
        std::vector<PrimitiveDraw> draws;
        if (!Plan(instances, draws)) return false;
        for (const PrimitiveDraw& draw : draws)
            if (!Emit(*draw.instance, *draw.primitive)) return false;
        model_.counts.vertices = static_cast<std::uint32_t>(model_.positions.size());
        model_.counts.triangles = static_cast<std::uint32_t>(model_.triangles.size());
        model_.counts.materials = static_cast<std::uint32_t>(model_.materials.size());
        return true;
    }

private:
    // Counts the whole scene's vertices and triangles from the accessors' own counts, so a file
    // asking for too many is refused before anything is read.
    bool Plan(const std::vector<MeshInstance>& instances, std::vector<PrimitiveDraw>& draws) {
        std::uint64_t vertices = 0, triangles = 0;
        std::set<int> meshes;
        for (const MeshInstance& instance : instances) {
            if (PointTransform(instance.world).Degenerate()) continue;  // scaled to nothing: nothing to see
            const tinygltf::Mesh& mesh = document_.meshes[static_cast<std::size_t>(instance.mesh)];
            for (const tinygltf::Primitive& primitive : mesh.primitives) {
                const int position = Attribute(primitive, "POSITION");
                if (!IsTriangleMode(primitive.mode) || position < 0) continue;
                std::uint64_t vertexCount = 0, cornerCount = 0;
                if (!AccessorCount(document_, position, vertexCount)) return Fail(Damaged);
                cornerCount = vertexCount;
                if (primitive.indices >= 0 && !AccessorCount(document_, primitive.indices, cornerCount))
                    return Fail(Damaged);
                const MaterialTraits traits = TraitsOf(document_, primitive.material);
                vertices += std::min<std::uint64_t>(vertexCount, MaxVertices + 1);
                triangles += std::min<std::uint64_t>(TrianglesOf(primitive.mode, cornerCount), MaxTriangles + 1) *
                             (traits.doubleSided ? 2 : 1);
                if (vertices > MaxVertices)
                    return Fail("The car has more than " + std::to_string(MaxVertices) + " vertices.");
                if (triangles > MaxTriangles)
                    return Fail("The car has more than " + std::to_string(MaxTriangles) + " triangles.");
                if (Attribute(primitive, "TEXCOORD_0") >= 0 && traits.textured) textured_ = true;
                meshes.insert(instance.mesh);
                draws.push_back({&instance, &primitive});
            }
        }
        model_.counts.meshes = static_cast<std::uint32_t>(meshes.size());
        model_.counts.primitives = static_cast<std::uint32_t>(draws.size());
        return true;
    }

    bool Emit(const MeshInstance& instance, const tinygltf::Primitive& primitive) {
        std::uint32_t material = 0;
        switch (materials_.Get(primitive.material, material, problem_)) {
            case MaterialTable::Use::Drawn:
                break;
            case MaterialTable::Use::Hidden:
                return true;
            case MaterialTable::Use::Refused:
                return false;
        }
        const PointTransform transform(instance.world);
        std::vector<float> raw;
        if (!ReadFloats(document_, Attribute(primitive, "POSITION"), 3, raw, problem_)) return false;
        const std::size_t vertexCount = raw.size() / 3;
        std::vector<Float3> positions(vertexCount);
        for (std::size_t i = 0; i < vertexCount; ++i) {
            double p[3];
            transform.Point(raw[i * 3], raw[i * 3 + 1], raw[i * 3 + 2], p);
            if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(p[2]) || std::fabs(p[0]) > 3e38 ||
                std::fabs(p[1]) > 3e38 || std::fabs(p[2]) > 3e38)
                return Fail("The car's geometry holds numbers that are not finite.");
            positions[i] = {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])};
        }

        std::vector<std::uint32_t> indices;
        if (primitive.indices >= 0) {
            if (!ReadIndices(document_, primitive.indices, indices, problem_)) return false;
            for (std::uint32_t index : indices)
                if (index >= vertexCount) return Fail(Damaged);
        } else {
            indices.resize(vertexCount);
            for (std::size_t i = 0; i < vertexCount; ++i) indices[i] = static_cast<std::uint32_t>(i);
        }
        std::vector<std::uint32_t> corners = TriangleCorners(primitive.mode, indices);
        // A mirroring node turns glTF's counter-clockwise fronts clockwise; put them back.
        if (transform.Mirrors())
            for (std::size_t t = 0; t + 2 < corners.size(); t += 3) std::swap(corners[t + 1], corners[t + 2]);

        std::vector<Float3> cornerNormals;
        if (!ReadNormals(primitive, transform, vertexCount, corners, cornerNormals)) return false;
        if (cornerNormals.empty()) cornerNormals = SmoothCornerNormals(positions, corners);

        std::vector<float> uv;
        const int texcoord = Attribute(primitive, "TEXCOORD_0");
        if (textured_ && texcoord >= 0 && !ReadAttribute(texcoord, 2, vertexCount, uv)) return false;

        // Into the engine's left-handed space: z turned round, and so the corner order.
        const auto base = static_cast<std::uint32_t>(model_.positions.size());
        for (std::size_t i = 0; i < vertexCount; ++i) {
            model_.positions.push_back({positions[i].x, positions[i].y, -positions[i].z});
            if (textured_) model_.textureCoords.push_back(uv.empty() ? Float2{} : Float2{uv[i * 2], uv[i * 2 + 1]});
        }
        const bool doubleSided = TraitsOf(document_, primitive.material).doubleSided;
        for (std::size_t t = 0; t + 2 < corners.size(); t += 3) {
            AddTriangle(base, corners, cornerNormals, t, material, 1);
            if (doubleSided) AddTriangle(base, corners, cornerNormals, t, material, -1);
        }
        return true;
    }

    // The primitive's own normals per corner, or none when it has none (or they cannot be turned).
    bool ReadNormals(const tinygltf::Primitive& primitive, const PointTransform& transform, std::size_t vertexCount,
                     const std::vector<std::uint32_t>& corners, std::vector<Float3>& cornerNormals) {
        cornerNormals.clear();
        const int accessor = Attribute(primitive, "NORMAL");
        if (accessor < 0) return true;
        std::vector<float> raw;
        if (!ReadAttribute(accessor, 3, vertexCount, raw)) return false;
        std::vector<Float3> normals(vertexCount);
        for (std::size_t i = 0; i < vertexCount; ++i) {
            double n[3];
            if (!transform.Normal(raw[i * 3], raw[i * 3 + 1], raw[i * 3 + 2], n)) return true;
            normals[i] = {static_cast<float>(n[0]), static_cast<float>(n[1]), static_cast<float>(n[2])};
        }
        cornerNormals.reserve(corners.size());
        for (std::uint32_t corner : corners) cornerNormals.push_back(normals[corner]);
        return true;
    }

    // glTF's counter-clockwise (a, b, c) becomes the engine's clockwise (a, c, b); the back of a
    // double-sided face is (a, b, c) with its normals turned round.
    void AddTriangle(std::uint32_t base, const std::vector<std::uint32_t>& corners,
                     const std::vector<Float3>& cornerNormals, std::size_t first, std::uint32_t material, float side) {
        static const int FrontOrder[3] = {0, 2, 1};
        static const int BackOrder[3] = {0, 1, 2};
        const int* order = side > 0 ? FrontOrder : BackOrder;
        Triangle triangle;
        triangle.material = material;
        for (int k = 0; k < 3; ++k) {
            const std::size_t corner = first + static_cast<std::size_t>(order[k]);
            const Float3& n = cornerNormals[corner];
            triangle.positions[k] = base + corners[corner];
            triangle.normals[k] = static_cast<std::uint32_t>(model_.normals.size());
            model_.normals.push_back({n.x * side, n.y * side, -n.z * side});
        }
        model_.triangles.push_back(triangle);
    }

    // An attribute beside POSITION, whose count must be the vertices' (checked before reading, so
    // a forged count cannot size the read).
    bool ReadAttribute(int accessor, int components, std::size_t vertexCount, std::vector<float>& values) {
        std::uint64_t count = 0;
        if (!AccessorCount(document_, accessor, count) || count != vertexCount) return Fail(Damaged);
        return ReadFloats(document_, accessor, components, values, problem_);
    }

    bool Fail(const std::string& problem) {
        problem_ = problem;
        return false;
    }

    const tinygltf::Model& document_;
    ImageSource images_;
    MaterialTable materials_;
    Model& model_;
    std::string& problem_;
    bool textured_ = false;
};

}  // namespace

bool AssembleScene(const tinygltf::Model& document, SideFiles& files, Model& model, std::string& problem) {
    return Assembler(document, files, model, problem).Run();
}

}  // namespace varnoka::gltf
