#include "retained/texture.h"

#include "retained/mesh_data.h"

namespace varnoka::rm {

Texture::Texture(std::uint32_t width, std::uint32_t height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {
    for (std::uint32_t texel : pixels_) translucent_ = translucent_ || (texel >> 24) != 0xFF;
}

void* Texture::FindInterface(REFIID iid) {
    if (iid == IID_IDirect3DRMTexture) return static_cast<IDirect3DRMTexture*>(this);
    if (iid == IID_IDirect3DRMVisual) return static_cast<IDirect3DRMVisual*>(this);
    return ComObject::FindInterface(iid);
}

HRESULT CreateTextureFromRGBA(std::uint32_t width, std::uint32_t height, const std::uint8_t* rgba,
                              std::size_t byteCount, IDirect3DRMTexture** texture) {
    if (texture == nullptr) return D3DRMERR_BADVALUE;
    *texture = nullptr;
    if (rgba == nullptr || width == 0 || height == 0 || width > MaxTextureSide || height > MaxTextureSide)
        return D3DRMERR_BADVALUE;
    const std::size_t texels = static_cast<std::size_t>(width) * height;
    if (byteCount != texels * 4) return D3DRMERR_BADVALUE;
    return GuardAllocation(D3DRMERR_BADALLOC, [&] {
        std::vector<std::uint32_t> pixels(texels);
        for (std::size_t i = 0; i < texels; ++i) {
            const std::uint8_t* p = rgba + i * 4;
            pixels[i] = (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
        }
        *texture = NewObject<Texture>(width, height, std::move(pixels)).Detach();
        return D3DRM_OK;
    });
}

Texture* AsTexture(IDirect3DRMTexture* texture) { return dynamic_cast<Texture*>(texture); }

}  // namespace varnoka::rm
