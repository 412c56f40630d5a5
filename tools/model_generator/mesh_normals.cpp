#include "tools/model_generator/mesh_normals.h"

#include <map>

#include "tools/model_generator/quantize.h"

namespace varnoka::models {

CornerNormals ComputeNormals(const Mesh& mesh, double creaseDegrees) {
    const double creaseCos = std::cos(creaseDegrees * 3.14159265358979323846 / 180.0);
    const std::size_t count = mesh.triangles.size();

    // Area-weighted face normals, and which faces touch each place.
    std::vector<Vec3> weighted(count);
    std::vector<Vec3> unit(count);
    std::map<PointKey, std::vector<std::size_t>> facesAt;
    for (std::size_t f = 0; f < count; ++f) {
        const auto& c = mesh.triangles[f].corners;
        const Vec3 a = mesh.positions[c[0]], b = mesh.positions[c[1]], d = mesh.positions[c[2]];
        weighted[f] = Cross(b - a, d - a);
        unit[f] = Normalized(weighted[f]);
        for (const std::uint32_t corner : c) facesAt[KeyOf(mesh.positions[corner])].push_back(f);
    }

    CornerNormals result;
    result.ofTriangle.resize(count);
    std::map<PointKey, std::uint32_t> indexOfNormal;
    for (std::size_t f = 0; f < count; ++f) {
        for (int k = 0; k < 3; ++k) {
            Vec3 sum;
            for (const std::size_t g : facesAt[KeyOf(mesh.positions[mesh.triangles[f].corners[k]])]) {
                if (Dot(unit[f], unit[g]) >= creaseCos) sum = sum + weighted[g];
            }
            const Vec3 normal = Normalized(sum);
            const auto [it, added] =
                indexOfNormal.emplace(KeyOf(normal), static_cast<std::uint32_t>(result.normals.size()));
            if (added) result.normals.push_back(normal);
            result.ofTriangle[f][static_cast<std::size_t>(k)] = it->second;
        }
    }
    return result;
}

}  // namespace varnoka::models
