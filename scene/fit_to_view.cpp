#include "scene/fit_to_view.h"

#include <algorithm>

using varnoka::rm::MeshData;
using varnoka::rm::Vec3;

namespace {

struct Bounds {
    Vec3 low{}, high{};
    Vec3 Size() const { return high - low; }
};

Bounds BoundsOf(const std::vector<Vec3>& points) {
    Bounds bounds{points.front(), points.front()};
    for (const Vec3& p : points) {
        bounds.low = {std::min(bounds.low.x, p.x), std::min(bounds.low.y, p.y), std::min(bounds.low.z, p.z)};
        bounds.high = {std::max(bounds.high.x, p.x), std::max(bounds.high.y, p.y), std::max(bounds.high.z, p.z)};
    }
    return bounds;
}

// Turns that keep a mesh's handedness, so faces keep their fronts.
Vec3 LayDown(Vec3 v) { return {v.x, -v.z, v.y}; }      // -z becomes up
Vec3 FaceForward(Vec3 v) { return {-v.z, v.y, v.x}; }  // -z becomes +x
Vec3 QuarterTurn(Vec3 v) { return {v.z, v.y, -v.x}; }  // about the vertical

template <typename Turn>
void TurnAll(MeshData& mesh, Turn turn) {
    for (Vec3& p : mesh.positions) p = turn(p);
    for (Vec3& n : mesh.normals) n = turn(n);
}

}  // namespace

void FitToView(MeshData& mesh) {
    if (mesh.positions.empty()) return;
    Vec3 size = BoundsOf(mesh.positions).Size();
    if (size.y > std::max(size.x, size.z)) TurnAll(mesh, LayDown);
    TurnAll(mesh, FaceForward);
    size = BoundsOf(mesh.positions).Size();
    if (size.z > size.x) TurnAll(mesh, QuarterTurn);

    const Bounds bounds = BoundsOf(mesh.positions);
    size = bounds.Size();
    const float length = std::max(size.x, size.z);
    float scale = 1.0f;
    if (length > 0.0f) scale = FittedCarLength / length;
    if (size.y * scale > FittedMaxHeight) scale = FittedMaxHeight / size.y;
    const Vec3 centre = (bounds.low + bounds.high) * 0.5f;
    const Vec3 anchor{centre.x, bounds.low.y, centre.z};
    for (Vec3& p : mesh.positions) p = (p - anchor) * scale + Vec3{0.0f, FittedGroundY, 0.0f};
}
