#include "retained/gltf/smooth_normals.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "retained/gltf/gltf_limits.h"

namespace varnoka::gltf {

bool FaceNormal(const Float3& a, const Float3& b, const Float3& c, Float3& normal) {
    const double ux = double(b.x) - a.x, uy = double(b.y) - a.y, uz = double(b.z) - a.z;
    const double vx = double(c.x) - a.x, vy = double(c.y) - a.y, vz = double(c.z) - a.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0) || !std::isfinite(length)) return false;
    normal = {static_cast<float>(nx / length), static_cast<float>(ny / length), static_cast<float>(nz / length)};
    return true;
}

std::vector<Float3> SmoothCornerNormals(const std::vector<Float3>& positions,
                                        const std::vector<std::uint32_t>& corners) {
    const std::size_t triangleCount = corners.size() / 3;
    std::vector<Float3> faceNormals(triangleCount, Float3{0, 1, 0});
    for (std::size_t t = 0; t < triangleCount; ++t)
        FaceNormal(positions[corners[t * 3]], positions[corners[t * 3 + 1]], positions[corners[t * 3 + 2]],
                   faceNormals[t]);

    // Corners ordered by their position's value, so each run shares one point.
    std::vector<std::uint32_t> order(corners.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::uint32_t>(i);
    auto key = [&](std::uint32_t corner) {
        const Float3& p = positions[corners[corner]];
        return std::make_tuple(p.x, p.y, p.z);
    };
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return key(a) < key(b); });

    const double threshold = std::cos(SmoothingAngleDegrees * 3.14159265358979323846 / 180);
    std::vector<Float3> normals(corners.size());
    std::size_t runStart = 0;
    while (runStart < order.size()) {
        std::size_t runEnd = runStart + 1;
        while (runEnd < order.size() && key(order[runEnd]) == key(order[runStart])) ++runEnd;
        const bool smooth = runEnd - runStart <= MaxSmoothingGroup;
        for (std::size_t i = runStart; i < runEnd; ++i) {
            const std::uint32_t corner = order[i];
            const Float3& own = faceNormals[corner / 3];
            double sum[3] = {own.x, own.y, own.z};
            if (smooth) {
                for (std::size_t j = runStart; j < runEnd; ++j) {
                    if (order[j] / 3 == corner / 3) continue;
                    const Float3& other = faceNormals[order[j] / 3];
                    if (double(own.x) * other.x + double(own.y) * other.y + double(own.z) * other.z < threshold)
                        continue;
                    sum[0] += other.x;
                    sum[1] += other.y;
                    sum[2] += other.z;
                }
            }
            const double length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
            normals[corner] = length > 0
                                  ? Float3{static_cast<float>(sum[0] / length), static_cast<float>(sum[1] / length),
                                           static_cast<float>(sum[2] / length)}
                                  : own;
        }
        runStart = runEnd;
    }
    return normals;
}

}  // namespace varnoka::gltf
