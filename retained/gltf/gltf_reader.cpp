#include "retained/gltf/gltf_reader.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "retained/gltf/glb_container.h"
#include "retained/gltf/gltf_document.h"
#include "retained/gltf/gltf_limits.h"
#include "retained/gltf/json_depth.h"
#include "retained/gltf/scene_assembly.h"
#include "retained/gltf/side_files.h"
#include "retained/io/file_bytes.h"

namespace varnoka::gltf {

namespace {

const char* const Draco = "KHR_draco_mesh_compression";
const char* const Meshopt[] = {"EXT_meshopt_compression", "KHR_meshopt_compression"};
const std::string DracoProblem = "The car is compressed with Draco, which Varnoka does not read.";
const std::string MeshoptProblem = "The car is compressed with meshoptimizer, which Varnoka does not read.";

// Extensions a car may require that change nothing we read wrongly: quantized attributes are read
// like any others, and the emissive strength is applied.
bool KnownExtension(const std::string& name) {
    return name == "KHR_mesh_quantization" || name == "KHR_materials_emissive_strength";
}

bool IsMeshopt(const std::string& name) {
    return std::find(std::begin(Meshopt), std::end(Meshopt), name) != std::end(Meshopt);
}

std::string TooLarge() { return "The file is larger than " + std::to_string(MaxTotalFileBytes >> 20) + " MB."; }

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// tinygltf's error in words for the user.
std::string ParseProblem(const std::string& error, const SideFiles& files) {
    if (files.OverBudget())
        return "The car's files are larger than " + std::to_string(MaxTotalFileBytes >> 20) + " MB together.";
    const std::string::size_type json = error.find("[json.exception.");
    if (json != std::string::npos) {
        const std::string::size_type text = error.find("] ", json);
        return "The glTF text is not valid JSON: " +
               FirstLine(text == std::string::npos ? error : error.substr(text + 2));
    }
    for (const char* missing : {"File not found : ", "File read error : "}) {
        const std::string::size_type at = error.find(missing);
        if (at != std::string::npos)
            return "A file the car needs beside it is missing or cannot be read: " +
                   FirstLine(error.substr(at + std::strlen(missing))) + ".";
    }
    return "The glTF file is damaged: " + FirstLine(error);
}

// What the file needs that we do not read, in the user's words; empty when nothing.
std::string UnreadFeatures(const tinygltf::Model& document) {
    const std::string& version = document.asset.version;
    if (version.rfind("2.", 0) != 0)
        return "The car is glTF version " + version.substr(0, 16) + ", and Varnoka reads version 2.";
    for (const std::string& name : document.extensionsRequired) {
        if (name == Draco) return DracoProblem;
        if (IsMeshopt(name)) return MeshoptProblem;
        if (!KnownExtension(name))
            return "The car needs the glTF extension " + name.substr(0, 64) + ", which Varnoka does not read.";
    }
    for (const tinygltf::Mesh& mesh : document.meshes)
        for (const tinygltf::Primitive& primitive : mesh.primitives)
            if (primitive.extensions.count(Draco) != 0) return DracoProblem;
    for (const tinygltf::BufferView& view : document.bufferViews)
        for (const char* name : Meshopt)
            if (view.extensions.count(name) != 0) return MeshoptProblem;
    return {};
}

LoadStatus Refuse(Model& model, std::string& problem, const std::string& text) {
    model = Model{};
    problem = text;
    return LoadStatus::BadFile;
}

}  // namespace

bool LooksLikeGltf(const std::uint8_t* bytes, std::size_t size) {
    if (size >= 4 && std::memcmp(bytes, "glTF", 4) == 0) return true;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t c = bytes[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        return c == '{';
    }
    return false;
}

LoadStatus ReadGltf(const std::uint8_t* bytes, std::size_t size, bool sideFiles, const std::string& folder,
                    Model& model, std::string& problem) {
    model = Model{};
    problem.clear();
    if (size > MaxTotalFileBytes) return Refuse(model, problem, TooLarge());
    const bool binary = size >= 4 && std::memcmp(bytes, "glTF", 4) == 0;
    const char* json = reinterpret_cast<const char*>(bytes);
    std::size_t jsonSize = size;
    std::size_t documentSize = size;
    if (binary) {
        GlbLayout layout;
        if (!ReadGlbLayout(bytes, size, layout, problem)) return Refuse(model, problem, problem);
        json += layout.jsonOffset;
        jsonSize = layout.jsonSize;
        documentSize = layout.length;
    }
    if (!JsonDepthWithin(json, jsonSize, MaxJsonDepth))
        return Refuse(model, problem,
                      "The glTF text nests its brackets deeper than " + std::to_string(MaxJsonDepth) + " levels.");

    SideFiles files(sideFiles, folder, MaxTotalFileBytes - size);
    tinygltf::Model document;
    std::string error;
    if (!ParseDocument(bytes, documentSize, binary, files, document, error))
        return Refuse(model, problem, ParseProblem(error, files));
    const std::string unread = UnreadFeatures(document);
    if (!unread.empty()) return Refuse(model, problem, unread);
    if (!AssembleScene(document, files, model, problem)) return Refuse(model, problem, problem);
    if (model.triangles.empty()) return Refuse(model, problem, "The car has no triangles to draw.");
    return LoadStatus::Ok;
}

LoadStatus LoadGltfFile(const std::string& path, Model& model, std::string& problem) {
    model = Model{};
    problem.clear();
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > MaxTotalFileBytes) return Refuse(model, problem, TooLarge());
    std::vector<std::uint8_t> bytes;
    const LoadStatus status = ReadFileBytes(path, bytes);
    if (status != LoadStatus::Ok) return status;
    const std::string::size_type slash = path.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return ReadGltf(bytes.data(), bytes.size(), true, folder, model, problem);
}

}  // namespace varnoka::gltf
