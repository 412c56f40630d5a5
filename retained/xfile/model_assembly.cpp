#include "retained/xfile/model_assembly.h"

#include <algorithm>
#include <set>

#include "retained/xfile/bad_file.h"

namespace varnoka::xfile {

namespace {

struct MeshInstance {
    std::uint32_t mesh;
    Matrix4 world;
};

bool IsIdentity(const Matrix4& m) {
    static const Matrix4 identity;
    for (int i = 0; i < 16; ++i) {
        if (m.m[i] != identity.m[i]) return false;
    }
    return true;
}

class ModelAssembler {
public:
    explicit ModelAssembler(const ParsedDocument& document)
        : document_(document), materialIndex_(document.materials.size(), NoMaterial) {}

    LoadedModel Assemble() {
        CollectInstances();
        bool anyTextureCoords = false;
        bool anyVertexColors = false;
        for (const MeshInstance& instance : instances_) {
            anyTextureCoords |= !document_.meshes[instance.mesh].textureCoords.empty();
            anyVertexColors |= !document_.meshes[instance.mesh].vertexColors.empty();
        }
        ReserveForInstances(anyTextureCoords, anyVertexColors);
        for (const MeshInstance& instance : instances_) {
            AppendMesh(document_.meshes[instance.mesh], instance.world, anyTextureCoords, anyVertexColors);
        }
        CountTextures();
        return std::move(model_);
    }

private:
    void CollectInstances() {
        std::vector<bool> placedByFrame(document_.meshes.size(), false);
        for (const ParsedFrame& frame : document_.frames) {
            for (const std::string& name : frame.meshReferences) {
                const auto found = document_.meshByName.find(name);
                if (found != document_.meshByName.end()) placedByFrame[found->second] = true;
            }
        }
        for (const TopLevelItem& item : document_.topLevel) {
            if (item.kind == TopLevelItem::Kind::Frame) {
                CollectFrame(item.index, Matrix4{});
            } else if (!placedByFrame[item.index]) {
                // A mesh outside every frame that no frame refers to stands at the origin.
                instances_.push_back({item.index, Matrix4{}});
            }
        }
    }

    // Frames nest no deeper than the reader allows, so recursion is bounded.
    void CollectFrame(std::uint32_t index, const Matrix4& parentWorld) {
        const ParsedFrame& frame = document_.frames[index];
        const Matrix4 world = Multiply(frame.transform, parentWorld);
        for (const std::uint32_t mesh : frame.meshes) instances_.push_back({mesh, world});
        for (const std::string& name : frame.meshReferences) {
            // References to anything but a mesh (frames, objects we skip) place nothing.
            const auto found = document_.meshByName.find(name);
            if (found != document_.meshByName.end()) instances_.push_back({found->second, world});
        }
        for (const std::uint32_t child : frame.children) CollectFrame(child, world);
    }

    // Sizes everything once, and refuses a model past the limit before it is built.
    void ReserveForInstances(bool withTextureCoords, bool withVertexColors) {
        std::size_t positions = 0, normals = 0, corners = 0, faces = 0;
        for (const MeshInstance& instance : instances_) {
            const ParsedMesh& mesh = document_.meshes[instance.mesh];
            positions += mesh.positions.size();
            normals += mesh.normals.size();
            corners += mesh.faceIndices.size();
            faces += mesh.faceSizes.size();
            if (positions + normals + corners > MaxModelElements) FailBadFile();
        }
        model_.positions.reserve(positions);
        model_.normals.reserve(normals);
        if (withTextureCoords) model_.textureCoords.reserve(positions);
        if (withVertexColors) model_.vertexColors.reserve(positions);
        model_.corners.reserve(corners);
        model_.faces.reserve(faces);
        model_.triangles.reserve(corners - 2 * faces);  // every face has at least three corners
    }

    std::uint32_t ModelMaterial(const MaterialSlot& slot) {
        std::uint32_t documentIndex = slot.index;
        if (documentIndex == Unresolved) {
            const auto found = document_.materialByName.find(slot.referenceName);
            if (found == document_.materialByName.end()) FailBadFile();
            documentIndex = found->second;
        }
        std::uint32_t& index = materialIndex_[documentIndex];
        if (index == NoMaterial) {
            index = static_cast<std::uint32_t>(model_.materials.size());
            model_.materials.push_back(document_.materials[documentIndex]);
        }
        return index;
    }

    void AppendMesh(const ParsedMesh& mesh, const Matrix4& world, bool withTextureCoords, bool withVertexColors) {
        std::vector<std::uint32_t> materials;
        materials.reserve(mesh.materials.size());
        for (const MaterialSlot& slot : mesh.materials) materials.push_back(ModelMaterial(slot));

        const auto positionBase = static_cast<std::uint32_t>(model_.positions.size());
        const auto normalBase = static_cast<std::uint32_t>(model_.normals.size());
        const bool moved = !IsIdentity(world);
        const bool mirrored = Mirrors(world);
        for (const Vector3& p : mesh.positions) model_.positions.push_back(moved ? TransformPoint(p, world) : p);
        for (const Vector3& n : mesh.normals) model_.normals.push_back(TransformNormal(n, world));
        if (withTextureCoords) {
            if (mesh.textureCoords.empty()) {
                model_.textureCoords.resize(model_.positions.size());
            } else {
                model_.textureCoords.insert(model_.textureCoords.end(), mesh.textureCoords.begin(),
                                            mesh.textureCoords.end());
            }
        }
        if (withVertexColors) {
            if (mesh.vertexColors.empty()) {
                model_.vertexColors.resize(model_.positions.size());
            } else {
                model_.vertexColors.insert(model_.vertexColors.end(), mesh.vertexColors.begin(),
                                           mesh.vertexColors.end());
            }
        }

        std::size_t cornerInFile = 0;
        for (std::size_t face = 0; face < mesh.faceSizes.size(); ++face) {
            Face out;
            out.firstCorner = static_cast<std::uint32_t>(model_.corners.size());
            out.cornerCount = mesh.faceSizes[face];
            if (!mesh.faceMaterials.empty()) out.material = materials[mesh.faceMaterials[face]];
            const auto faceIndex = static_cast<std::uint32_t>(model_.faces.size());
            for (std::uint32_t corner = 0; corner < out.cornerCount; ++corner, ++cornerInFile) {
                Corner c;
                c.position = positionBase + mesh.faceIndices[cornerInFile];
                if (mesh.hasNormals) c.normal = normalBase + mesh.normalIndices[cornerInFile];
                model_.corners.push_back(c);
            }
            // A mirroring frame (as exporters from right-handed tools write) would show the
            // faces' backs: their corners go the other way round.
            if (mirrored) std::reverse(model_.corners.begin() + out.firstCorner, model_.corners.end());
            for (std::uint32_t corner = 2; corner < out.cornerCount; ++corner) {
                Triangle triangle;
                triangle.corners[0] = out.firstCorner;
                triangle.corners[1] = out.firstCorner + corner - 1;
                triangle.corners[2] = out.firstCorner + corner;
                triangle.face = faceIndex;
                model_.triangles.push_back(triangle);
            }
            model_.faces.push_back(out);
        }
        model_.counts.vertices += static_cast<std::uint32_t>(mesh.positions.size());
        model_.counts.faces += static_cast<std::uint32_t>(mesh.faceSizes.size());
    }

    void CountTextures() {
        std::set<std::string> names;
        for (const Material& material : model_.materials) {
            if (!material.textureFileName.empty()) names.insert(material.textureFileName);
        }
        model_.counts.materials = static_cast<std::uint32_t>(model_.materials.size());
        model_.counts.textures = static_cast<std::uint32_t>(names.size());
    }

    const ParsedDocument& document_;
    std::vector<std::uint32_t> materialIndex_;  // document material -> model material
    std::vector<MeshInstance> instances_;
    LoadedModel model_;
};

}  // namespace

LoadedModel AssembleModel(const ParsedDocument& document) { return ModelAssembler(document).Assemble(); }

}  // namespace varnoka::xfile
