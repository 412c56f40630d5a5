#pragma once
// A closed solid's faces point outwards when the volume they enclose comes out positive.

#include "tools/model_generator/geometry.h"

namespace varnoka::models {

inline double SignedVolume(const Mesh& m) {
    double v = 0;
    for (const Triangle& t : m.triangles) {
        v += Dot(m.positions[t.corners[0]], Cross(m.positions[t.corners[1]], m.positions[t.corners[2]])) / 6;
    }
    return v;
}

}  // namespace varnoka::models
