#pragma once
// Third stage: cuts polygons and lines at the front and back planes and at a guard band around
// the viewport, in homogeneous space where the cut is linear for every attribute. The band keeps
// pixel coordinates small enough for exact fixed-point edge functions; what lies between the
// viewport and the band is trimmed by the rasterizer.

#include "retained/pipeline/projection.h"

namespace varnoka::rm {

struct ClipVertex {
    Vec4 position;
    float u, v;  // texture coordinates
    Vec3 color;  // lit colour or intensity
};

constexpr int MaxClippedCorners = 3 + 6;
constexpr float GuardBandPixels = 2048.0f;

struct ClipVolume {
    float front, back;
    float left, right, top, bottom;  // guard band edges, in pixels
};

ClipVolume MakeClipVolume(const Projection& projection);

constexpr int ClipPlaneCount = 6;

// Signed distance to plane i, positive inside.
inline float ClipDistance(const Vec4& p, int plane, const ClipVolume& v) {
    switch (plane) {
        case 0:
            return p.w - v.front;
        case 1:
            return v.back - p.w;
        case 2:
            return p.x - v.left * p.w;
        case 3:
            return v.right * p.w - p.x;
        case 4:
            return p.y - v.top * p.w;
        default:
            return v.bottom * p.w - p.y;
    }
}

// Whether a point lies inside every plane (nothing to cut). Inline: it is asked for every corner
// of every face drawn, and unrolled it is six comparisons.
inline bool InsideVolume(const Vec4& p, const ClipVolume& volume) {
    for (int plane = 0; plane < ClipPlaneCount; ++plane)
        if (!(ClipDistance(p, plane, volume) >= 0)) return false;
    return true;
}

// Cuts the convex polygon corners[0..count) in place; returns the corners left (0 when none).
int ClipPolygon(ClipVertex* corners, int count, const ClipVolume& volume);

// Cuts the segment a-b in place; false when nothing of it remains.
bool ClipSegment(ClipVertex& a, ClipVertex& b, const ClipVolume& volume);

}  // namespace varnoka::rm
