#include "scene/triangle_budget.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

using varnoka::rm::MeshData;
using varnoka::rm::MeshFace;
using varnoka::rm::TexCoord;
using varnoka::rm::Vec3;

namespace {

constexpr std::uint32_t NoNormal = 0xFFFFFFFFu;

struct Corner {
    std::uint32_t position;
    std::uint32_t normal;
};

struct Triangle {
    Corner corners[3];
    std::uint32_t material;
};

std::vector<Triangle> Triangles(const MeshData& mesh) {
    std::vector<Triangle> triangles;
    for (const MeshFace& face : mesh.faces) {
        const auto corner = [&](std::size_t i) {
            return Corner{face.positions[i], face.normals.empty() ? NoNormal : face.normals[i]};
        };
        for (std::size_t i = 1; i + 1 < face.positions.size(); ++i)
            triangles.push_back({{corner(0), corner(i), corner(i + 1)}, face.material});
    }
    return triangles;
}

std::size_t TriangleCount(const MeshData& mesh) {
    std::size_t count = 0;
    for (const MeshFace& face : mesh.faces) count += face.positions.size() >= 3 ? face.positions.size() - 2 : 0;
    return count;
}

// The vertices' clusters in a grid of `cells` cells along the mesh's longest side.
class Clustering {
public:
    Clustering(const MeshData& mesh, int cells) {
        Vec3 low = mesh.positions.front(), high = low;
        for (const Vec3& p : mesh.positions) {
            low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
            high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
        }
        const float longest = std::max({high.x - low.x, high.y - low.y, high.z - low.z});
        const float perUnit = longest > 0 ? static_cast<float>(cells) / longest : 0.0f;
        std::unordered_map<std::uint64_t, std::uint32_t> found;
        found.reserve(mesh.positions.size());
        clusterOf_.resize(mesh.positions.size());
        for (std::size_t i = 0; i < mesh.positions.size(); ++i) {
            const Vec3 p = (mesh.positions[i] - low) * perUnit;
            std::uint64_t key = Cell(p.x) | Cell(p.y) << 12 | Cell(p.z) << 24;
            // Texture coordinates in 1/32 steps: a seam's two sides differ by far more.
            if (!mesh.textureCoordinates.empty())
                key |= Cell(mesh.textureCoordinates[i].u * 32) << 36 | Cell(mesh.textureCoordinates[i].v * 32) << 48;
            const auto inserted = found.emplace(key, static_cast<std::uint32_t>(found.size()));
            clusterOf_[i] = inserted.first->second;
        }
        clusterCount_ = found.size();
    }

    std::uint32_t Of(std::uint32_t position) const { return clusterOf_[position]; }
    std::size_t Count() const { return clusterCount_; }

    bool Survives(const Triangle& t) const {
        const std::uint32_t a = Of(t.corners[0].position), b = Of(t.corners[1].position), c = Of(t.corners[2].position);
        return a != b && b != c && a != c;
    }

    std::size_t Surviving(const std::vector<Triangle>& triangles) const {
        std::size_t count = 0;
        for (const Triangle& t : triangles) count += Survives(t) ? 1 : 0;
        return count;
    }

private:
    // Twelve bits of a grid coordinate; cells far apart that share them are never neighbours.
    static std::uint64_t Cell(float coordinate) {
        return static_cast<std::uint64_t>(static_cast<std::int64_t>(std::floor(coordinate))) & 0xFFFu;
    }

    std::vector<std::uint32_t> clusterOf_;
    std::size_t clusterCount_ = 0;
};

// The finest grid whose clustering leaves at most `budget` triangles. On a smooth surface the
// count grows with the square of the grid's fineness, which a few guided steps bring in; a car
// of many small parts (wheels, lamps, trim) does not follow it, so the guided steps only bracket
// the answer and halving the bracket finds it, to within a thirty-second of the grid.
int FinestGrid(const MeshData& mesh, const std::vector<Triangle>& triangles, std::size_t budget) {
    constexpr int Coarsest = 4, Finest = 4095;
    const auto survivors = [&](int cells) { return Clustering(mesh, cells).Surviving(triangles); };
    int fitting = Coarsest;    // the finest grid known to fit; the coarsest is taken when none does
    int tooFine = Finest + 1;  // the coarsest grid known not to fit
    int cells = 256;
    // Every guess lies within the bounds, so it can only move one of them inward.
    for (int step = 0; step < 4 && fitting + 1 < tooFine; ++step) {
        const std::size_t left = survivors(cells);
        (left <= budget ? fitting : tooFine) = cells;
        const double scale =
            std::sqrt(static_cast<double>(budget) / static_cast<double>(std::max<std::size_t>(left, 1)));
        const int next =
            std::clamp(static_cast<int>(cells * scale * (left <= budget ? 1.0 : 0.97)), fitting, tooFine - 1);
        if (next == cells) break;
        cells = next;
    }
    while (tooFine - fitting > std::max(1, fitting / 32)) {
        const int middle = fitting + (tooFine - fitting) / 2;
        (survivors(middle) <= budget ? fitting : tooFine) = middle;
    }
    return fitting;
}

}  // namespace

void KeepWithinTriangleBudget(MeshData& mesh, std::size_t maxTriangles) {
    if (TriangleCount(mesh) <= maxTriangles || mesh.positions.empty()) return;
    const std::vector<Triangle> triangles = Triangles(mesh);
    const Clustering clusters(mesh, FinestGrid(mesh, triangles, maxTriangles));

    // Each cluster at the mean of its vertices.
    std::vector<Vec3> positions(clusters.Count());
    std::vector<TexCoord> coordinates(mesh.textureCoordinates.empty() ? 0 : clusters.Count());
    std::vector<std::uint32_t> members(clusters.Count(), 0);
    for (std::uint32_t i = 0; i < mesh.positions.size(); ++i) {
        const std::uint32_t c = clusters.Of(i);
        positions[c] = positions[c] + mesh.positions[i];
        if (!coordinates.empty()) {
            coordinates[c].u += mesh.textureCoordinates[i].u;
            coordinates[c].v += mesh.textureCoordinates[i].v;
        }
        ++members[c];
    }
    for (std::size_t c = 0; c < positions.size(); ++c) {
        const float share = 1.0f / static_cast<float>(members[c]);
        positions[c] = positions[c] * share;
        if (!coordinates.empty()) coordinates[c] = {coordinates[c].u * share, coordinates[c].v * share};
    }

    std::vector<MeshFace> faces;
    faces.reserve(std::min(triangles.size(), maxTriangles));
    for (const Triangle& t : triangles) {
        if (!clusters.Survives(t)) continue;
        MeshFace face;
        face.material = t.material;
        for (const Corner& corner : t.corners) face.positions.push_back(clusters.Of(corner.position));
        if (t.corners[0].normal != NoNormal)
            for (const Corner& corner : t.corners) face.normals.push_back(corner.normal);
        faces.push_back(std::move(face));
    }
    mesh.positions = std::move(positions);
    mesh.textureCoordinates = std::move(coordinates);
    mesh.faces = std::move(faces);
}
