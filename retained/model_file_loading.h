#pragma once
// Models and textures read from files into the engine's plain mesh data and textures.

#include <cstdint>
#include <string>
#include <vector>

#include "retained/d3drm_api.h"
#include "retained/mesh_data.h"
#include "retained/xfile/loaded_model.h"

namespace varnoka::rm {

// What one model load found, for tools that tell the user about their model.
struct ModelLoadReport {
    xfile::ModelCounts counts;                 // for glTF: faces are triangles, textures distinct images
    std::vector<std::string> missingTextures;  // names as written in the file
    // Why a glTF load failed, one sentence for the user; empty otherwise (a .x failure's code
    // says it).
    std::string problem;
    bool gltf = false;
    std::uint32_t nodes = 0;   // glTF only: nodes drawn
    std::uint32_t meshes = 0;  // glTF only: distinct meshes drawn
};

// Reads a `.x` or a glTF 2.0 (`.glb`, or `.gltf` with its files) file into mesh data, told apart
// by content. A `.x` file's textures are asked of `loadTexture` by the name as written (or read
// from that file when there is no callback); a glTF file's images are read from the file or
// beside it. A texture that cannot be had leaves its faces in their material colour.
// D3DRMERR_FILENOTFOUND, D3DRMERR_BADFILE or D3DRMERR_BADALLOC leave `data` empty.
HRESULT LoadModelFile(const char* fileName, D3DRMLOADTEXTURECALLBACK loadTexture, void* argument, MeshData& data,
                      ModelLoadReport* report);

// Reads an image file (BMP, PPM, PNG, TGA, JPEG) into a new texture.
HRESULT LoadTextureFile(const char* fileName, IDirect3DRMTexture** texture);

}  // namespace varnoka::rm
