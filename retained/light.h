#pragma once
// A light: ambient light lights every face alike; a directional light shines along the +z axis
// of the frame that carries it.

#include "retained/com_base.h"
#include "retained/linear_algebra.h"

namespace varnoka::rm {

class Light final : public ComObject<IDirect3DRMLight> {
public:
    Light(D3DRMLIGHTTYPE type, Vec3 color) : type_(type), color_(color) {}

    D3DRMLIGHTTYPE Type() const { return type_; }
    Vec3 Color() const { return color_; }

protected:
    void* FindInterface(REFIID iid) override;

private:
    D3DRMLIGHTTYPE type_;
    Vec3 color_;
};

Light* AsLight(IDirect3DRMLight* light);

}  // namespace varnoka::rm
