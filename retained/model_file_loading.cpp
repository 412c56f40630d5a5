#include "retained/model_file_loading.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <new>

#include "retained/gltf/gltf_reader.h"
#include "retained/imagefile/image_reader.h"
#include "retained/texture.h"
#include "retained/xfile/texture_path.h"
#include "retained/xfile/xfile_reader.h"

namespace varnoka::rm {

namespace {

HRESULT ResultOf(LoadStatus status) {
    switch (status) {
        case LoadStatus::Ok:
            return D3DRM_OK;
        case LoadStatus::FileNotFound:
            return D3DRMERR_FILENOTFOUND;
        case LoadStatus::BadFile:
            break;
    }
    return D3DRMERR_BADFILE;
}

// Each texture name is asked for once per model, however many materials use it.
class TextureSource {
public:
    TextureSource(D3DRMLOADTEXTURECALLBACK loadTexture, void* argument, ModelLoadReport* report)
        : loadTexture_(loadTexture), argument_(argument), report_(report) {}

    ComRef<IDirect3DRMTexture> Get(const std::string& name) {
        auto found = loaded_.find(name);
        if (found != loaded_.end()) return found->second;
        ComRef<IDirect3DRMTexture> texture = Load(name);
        if (!texture && report_ != nullptr) report_->missingTextures.push_back(name);
        loaded_.emplace(name, texture);
        return texture;
    }

private:
    ComRef<IDirect3DRMTexture> Load(const std::string& name) {
        std::string path = xfile::TexturePathFromName(name);
        IDirect3DRMTexture* texture = nullptr;
        const HRESULT result = loadTexture_ != nullptr ? loadTexture_(path.data(), argument_, &texture)
                                                       : LoadTextureFile(path.c_str(), &texture);
        ComRef<IDirect3DRMTexture> owned = ComRef<IDirect3DRMTexture>::Adopt(texture);
        // A texture there was no memory for is not missing from the file: the whole load fails.
        if (result == D3DRMERR_BADALLOC) throw std::bad_alloc();
        // Only the engine's own textures can be drawn.
        if (FAILED(result) || AsTexture(owned.Get()) == nullptr) return {};
        return owned;
    }

    D3DRMLOADTEXTURECALLBACK loadTexture_;
    void* argument_;
    ModelLoadReport* report_;
    std::map<std::string, ComRef<IDirect3DRMTexture>> loaded_;
};

Vec3 ToVec3(const xfile::Vector3& v) { return {v.x, v.y, v.z}; }

MeshMaterial ToMaterial(const xfile::Material& material, TextureSource& textures) {
    MeshMaterial converted;
    converted.faceColor = {material.faceColor.r, material.faceColor.g, material.faceColor.b};
    converted.alpha = material.faceColor.a;
    converted.power = material.power;
    converted.specular = {material.specular.r, material.specular.g, material.specular.b};
    converted.emissive = {material.emissive.r, material.emissive.g, material.emissive.b};
    if (!material.textureFileName.empty()) converted.texture = textures.Get(material.textureFileName);
    return converted;
}

void ConvertModel(const xfile::LoadedModel& model, TextureSource& textures, MeshData& data) {
    data.positions.reserve(model.positions.size());
    for (const xfile::Vector3& p : model.positions) data.positions.push_back(ToVec3(p));
    data.normals.reserve(model.normals.size());
    for (const xfile::Vector3& n : model.normals) data.normals.push_back(ToVec3(n));
    data.textureCoordinates.reserve(model.textureCoords.size());
    for (const xfile::Vector2& t : model.textureCoords) data.textureCoordinates.push_back({t.u, t.v});
    for (const xfile::Material& material : model.materials) data.materials.push_back(ToMaterial(material, textures));

    // Faces without a material of their own are white, as a mesh without any materials is.
    const auto whiteMaterial = static_cast<std::uint32_t>(data.materials.size());
    bool needsWhite = false;
    data.faces.reserve(model.faces.size());
    for (const xfile::Face& face : model.faces) {
        MeshFace converted;
        bool everyCornerHasNormal = true;
        for (std::uint32_t i = 0; i < face.cornerCount; ++i) {
            const xfile::Corner& corner = model.corners[face.firstCorner + i];
            converted.positions.push_back(corner.position);
            everyCornerHasNormal &= corner.normal != xfile::NoNormal;
        }
        if (everyCornerHasNormal) {
            for (std::uint32_t i = 0; i < face.cornerCount; ++i)
                converted.normals.push_back(model.corners[face.firstCorner + i].normal);
        }
        if (face.material < data.materials.size()) {
            converted.material = face.material;
        } else {
            converted.material = whiteMaterial;
            needsWhite = true;
        }
        data.faces.push_back(std::move(converted));
    }
    if (needsWhite && !data.materials.empty()) data.materials.emplace_back();
}

Vec3 ToVec3(const gltf::Float3& v) { return {v.x, v.y, v.z}; }

// Enough of a file's start to tell glTF from .x: binary glTF's magic, or JSON's opening brace.
constexpr std::size_t SniffBytes = 4096;

bool IsGltfFile(const char* fileName) {
    std::ifstream file(fileName, std::ios::binary);
    std::uint8_t start[SniffBytes];
    file.read(reinterpret_cast<char*>(start), sizeof start);
    const auto read = static_cast<std::size_t>(file.gcount());
    if (read > 0 && read < sizeof start) return gltf::LooksLikeGltf(start, read);
    if (read == sizeof start) {
        if (gltf::LooksLikeGltf(start, read)) return true;
        // Only blanks so far: the name decides.
        if (std::all_of(start, start + read,
                        [](std::uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; })) {
            const std::string name = fileName;
            const std::string::size_type dot = name.find_last_of('.');
            std::string extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
            for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return extension == "gltf" || extension == "glb";
        }
    }
    return false;
}

// The glTF reader's textures made into engine textures, one each, before any face needs them.
void ConvertGltfModel(const gltf::Model& model, MeshData& data) {
    data.positions.reserve(model.positions.size());
    for (const gltf::Float3& p : model.positions) data.positions.push_back(ToVec3(p));
    data.normals.reserve(model.normals.size());
    for (const gltf::Float3& n : model.normals) data.normals.push_back(ToVec3(n));
    data.textureCoordinates.reserve(model.textureCoords.size());
    for (const gltf::Float2& t : model.textureCoords) data.textureCoordinates.push_back({t.u, t.v});
    std::vector<ComRef<IDirect3DRMTexture>> textures;
    for (const gltf::Texture& texture : model.textures) {
        IDirect3DRMTexture* made = nullptr;
        const HRESULT result =
            CreateTextureFromRGBA(texture.width, texture.height, texture.rgba.data(), texture.rgba.size(), &made);
        if (result == D3DRMERR_BADALLOC) throw std::bad_alloc();
        textures.push_back(ComRef<IDirect3DRMTexture>::Adopt(made));
    }
    for (const gltf::Material& material : model.materials) {
        MeshMaterial converted;
        converted.faceColor = ToVec3(material.faceColor);
        converted.alpha = material.alpha;
        converted.power = material.power;
        converted.specular = ToVec3(material.specular);
        converted.emissive = ToVec3(material.emissive);
        if (material.texture < textures.size()) converted.texture = textures[material.texture];
        data.materials.push_back(std::move(converted));
    }
    data.faces.reserve(model.triangles.size());
    for (const gltf::Triangle& triangle : model.triangles) {
        MeshFace face;
        face.positions.assign(std::begin(triangle.positions), std::end(triangle.positions));
        face.normals.assign(std::begin(triangle.normals), std::end(triangle.normals));
        face.material = triangle.material;
        data.faces.push_back(std::move(face));
    }
}

HRESULT LoadGltfModel(const char* fileName, MeshData& data, ModelLoadReport* report) {
    gltf::Model model;
    std::string problem;
    const HRESULT read = ResultOf(gltf::LoadGltfFile(fileName, model, problem));
    if (report != nullptr) {
        *report = ModelLoadReport{};
        report->gltf = true;
        report->problem = problem;
    }
    if (FAILED(read)) return read;
    if (report != nullptr) {
        report->counts = {model.counts.vertices, model.counts.triangles, model.counts.materials, model.counts.textures};
        report->missingTextures = model.missingImages;
        report->nodes = model.counts.nodes;
        report->meshes = model.counts.meshes;
    }
    ConvertGltfModel(model, data);
    return D3DRM_OK;
}

}  // namespace

HRESULT LoadModelFile(const char* fileName, D3DRMLOADTEXTURECALLBACK loadTexture, void* argument, MeshData& data,
                      ModelLoadReport* report) {
    data = MeshData{};
    if (fileName == nullptr) return D3DRMERR_BADVALUE;
    const HRESULT result = GuardAllocation(D3DRMERR_BADALLOC, [&] {
        // Nothing of an earlier load may be taken for this one's.
        if (report != nullptr) *report = ModelLoadReport{};
        if (IsGltfFile(fileName)) return LoadGltfModel(fileName, data, report);
        xfile::LoadedModel model;
        const HRESULT read = ResultOf(xfile::LoadXFile(fileName, model));
        if (FAILED(read)) return read;
        if (report != nullptr) *report = ModelLoadReport{model.counts, {}, {}, false, 0, 0};
        TextureSource textures(loadTexture, argument, report);
        ConvertModel(model, textures, data);
        return D3DRM_OK;
    });
    if (FAILED(result)) data = MeshData{};
    return result;
}

HRESULT LoadTextureFile(const char* fileName, IDirect3DRMTexture** texture) {
    if (texture == nullptr) return D3DRMERR_BADVALUE;
    *texture = nullptr;
    if (fileName == nullptr) return D3DRMERR_BADVALUE;
    imagefile::Image image;
    const HRESULT result =
        GuardAllocation(D3DRMERR_BADALLOC, [&] { return ResultOf(imagefile::LoadImageFile(fileName, image)); });
    if (FAILED(result)) return result;
    return CreateTextureFromRGBA(image.width, image.height, image.rgba.data(), image.rgba.size(), texture);
}

}  // namespace varnoka::rm
