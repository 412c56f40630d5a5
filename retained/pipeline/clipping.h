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

// Whether all corners lie inside every plane (nothing to cut).
bool InsideVolume(const Vec4& p, const ClipVolume& volume);

// Cuts the convex polygon corners[0..count) in place; returns the corners left (0 when none).
int ClipPolygon(ClipVertex* corners, int count, const ClipVolume& volume);

// Cuts the segment a-b in place; false when nothing of it remains.
bool ClipSegment(ClipVertex& a, ClipVertex& b, const ClipVolume& volume);

}  // namespace varnoka::rm
