#pragma once
// Models and textures read from files into the engine's plain mesh data and textures.

#include <string>
#include <vector>

#include "retained/d3drm_api.h"
#include "retained/mesh_data.h"
#include "retained/xfile/loaded_model.h"

namespace varnoka::rm {

// What one model load found, for tools that tell the user about their model.
struct ModelLoadReport {
    xfile::ModelCounts counts;
    std::vector<std::string> missingTextures;  // names as written in the file
};

// Reads a `.x` file into mesh data. Textures are asked of `loadTexture` by the name as written
// (or read from that file when there is no callback); a texture that cannot be had leaves its
// faces in their material colour. D3DRMERR_FILENOTFOUND, D3DRMERR_BADFILE or D3DRMERR_BADALLOC leave
// `data` empty.
HRESULT LoadModelFile(const char* fileName, D3DRMLOADTEXTURECALLBACK loadTexture, void* argument, MeshData& data,
                      ModelLoadReport* report);

// Reads an image file (BMP, PPM, PNG, TGA, JPEG) into a new texture.
HRESULT LoadTextureFile(const char* fileName, IDirect3DRMTexture** texture);

}  // namespace varnoka::rm
