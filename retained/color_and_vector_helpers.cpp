#include <cmath>

#include "retained/d3drm_api.h"

namespace {

// Components are clamped to [0, 1] and scaled by 255 with truncation, so a byte b given as
// b / 255 comes back as b: b / 255 * 255 never falls below b - 0.5 in single precision, and the
// half added before truncation carries it over.
DWORD ToByte(D3DVALUE component) {
    if (!(component > 0.0f)) return 0;
    if (component >= 1.0f) return 255;
    return static_cast<DWORD>(component * 255.0f + 0.5f);
}

// The nearest float to b / 255 can fall just short of it, and b / 255 * 255 would then truncate
// to b - 1; the next float up never does.
D3DVALUE FromByte(D3DCOLOR color, int shift) {
    const DWORD byte = (color >> shift) & 0xFF;
    D3DVALUE value = static_cast<D3DVALUE>(byte) / 255.0f;
    if (static_cast<double>(value) * 255.0 < byte) value = std::nextafter(value, 2.0f);
    return value;
}

}  // namespace

D3DVECTOR* D3DRMVectorCrossProduct(D3DVECTOR* destination, D3DVECTOR* first, D3DVECTOR* second) {
    if (destination == nullptr || first == nullptr || second == nullptr) return destination;
    const D3DVECTOR a = *first;
    const D3DVECTOR b = *second;
    *destination = {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    return destination;
}

D3DCOLOR D3DRMCreateColorRGBA(D3DVALUE red, D3DVALUE green, D3DVALUE blue, D3DVALUE alpha) {
    return (ToByte(alpha) << 24) | (ToByte(red) << 16) | (ToByte(green) << 8) | ToByte(blue);
}

D3DCOLOR D3DRMCreateColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
    return D3DRMCreateColorRGBA(red, green, blue, 1.0f);
}

D3DVALUE D3DRMColorGetAlpha(D3DCOLOR color) { return FromByte(color, 24); }
D3DVALUE D3DRMColorGetRed(D3DCOLOR color) { return FromByte(color, 16); }
D3DVALUE D3DRMColorGetGreen(D3DCOLOR color) { return FromByte(color, 8); }
D3DVALUE D3DRMColorGetBlue(D3DCOLOR color) { return FromByte(color, 0); }
