#include "tools/xrender/texture_folder.h"

HRESULT LoadTextureBesideModel(char* name, void* argument, LPDIRECT3DRMTEXTURE* texture) {
    const auto* source = static_cast<TextureFolder*>(argument);
    const std::string text = name;
    const bool hasFolder = text.find_first_of("/\\:") != std::string::npos;
    const std::string path = hasFolder || source->folder.empty() ? text : source->folder + "/" + text;
    return source->d3drm->LoadTexture(path.c_str(), texture);
}

std::string FolderOf(const std::string& path) {
    const std::string::size_type slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
