#pragma once
// A texture callback for the model loaders that finds texture files beside their model, where
// the saver's installation puts them.

#include <string>

#include "retained/d3drm_api.h"

struct TextureFolder {
    IDirect3DRM* d3drm;
    std::string folder;  // empty: names are opened as they stand
};

// `argument` is a TextureFolder. Names that carry a folder of their own are opened as they stand.
HRESULT LoadTextureBesideModel(char* name, void* argument, LPDIRECT3DRMTEXTURE* texture);

// The folder part of a path, empty when it has none.
std::string FolderOf(const std::string& path);
