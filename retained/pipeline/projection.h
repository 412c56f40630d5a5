#pragma once
// The perspective of a viewport: view space (x right, y up, z away from the eye) to homogeneous
// device pixels. The homogeneous w is the view depth z, so x / w and y / w are pixel positions
// (pixel centres at +0.5) and z / w runs from 0 at the front plane to 1 at the back plane.

#include "retained/linear_algebra.h"
#include "retained/pipeline/render_target.h"

namespace varnoka::rm {

struct Vec4 {
    float x = 0, y = 0, z = 0, w = 0;
};

struct Projection {
    PixelRect rect;
    float front = 1;
    float back = 100;
    float scale = 1;  // pixels per unit at unit depth
    float centerX = 0;
    float centerY = 0;

    Vec4 ToClip(Vec3 v) const {
        return {scale * v.x + centerX * v.z, centerY * v.z - scale * v.y, (v.z - front) * back / (back - front), v.z};
    }
    // Undoes ToClip using w as the depth.
    Vec3 FromClip(Vec4 c) const { return {(c.x - centerX * c.w) / scale, (centerY * c.w - c.y) / scale, c.w}; }
};

// field is half the width of the front plane's window, fitted to the larger side of rect.
inline Projection MakeProjection(PixelRect rect, float front, float back, float field) {
    Projection p;
    p.rect = rect;
    p.front = front;
    p.back = back;
    const int larger = rect.width > rect.height ? rect.width : rect.height;
    p.scale = front / field * (static_cast<float>(larger) * 0.5f);
    p.centerX = static_cast<float>(rect.x) + static_cast<float>(rect.width) * 0.5f;
    p.centerY = static_cast<float>(rect.y) + static_cast<float>(rect.height) * 0.5f;
    return p;
}

}  // namespace varnoka::rm
