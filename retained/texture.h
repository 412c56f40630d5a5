#pragma once
// A texture: an image in memory that faces are painted with.

#include <cstdint>
#include <vector>

#include "retained/com_base.h"

namespace varnoka::rm {

class Texture final : public ComObject<IDirect3DRMTexture> {
public:
    Texture(std::uint32_t width, std::uint32_t height, std::vector<std::uint32_t> pixels);

    std::uint32_t Width() const { return width_; }
    std::uint32_t Height() const { return height_; }
    // 0xAARRGGBB, row 0 the top row.
    const std::uint32_t* Pixels() const { return pixels_.data(); }
    // Whether any texel's alpha is below full, so that faces painted with it show through.
    bool HasTranslucentTexels() const { return translucent_; }

protected:
    void* FindInterface(REFIID iid) override;

private:
    std::uint32_t width_;
    std::uint32_t height_;
    std::vector<std::uint32_t> pixels_;
    bool translucent_ = false;
};

// The engine's own texture behind an interface, or null for anything else.
Texture* AsTexture(IDirect3DRMTexture* texture);

}  // namespace varnoka::rm
