#include "tools/model_generator/shapes.h"

#include <cmath>

namespace varnoka::models {

namespace {

constexpr double Pi = 3.14159265358979323846;

double SignedPower(double value, double exponent) {
    const double magnitude = std::pow(std::fabs(value), exponent);
    return value < 0 ? -magnitude : magnitude;
}

// Rows of points from the south pole to the north pole; the poles are single points.
Mesh RoundedBoxShell(const RoundedBox& box, std::uint32_t material) {
    Mesh mesh;
    const int n = box.segments;
    const std::uint32_t south = mesh.AddPoint({0, -box.radii.y, 0});
    for (int ring = 1; ring < box.rings; ++ring) {
        const double phi = -Pi / 2 + Pi * ring / box.rings;
        const double across = SignedPower(std::cos(phi), box.roundness);
        const double up = SignedPower(std::sin(phi), box.roundness);
        for (int k = 0; k < n; ++k) {
            const double theta = 2 * Pi * k / n;
            mesh.AddPoint({box.radii.x * across * SignedPower(std::cos(theta), box.roundness), box.radii.y * up,
                           box.radii.z * across * SignedPower(std::sin(theta), box.roundness)});
        }
    }
    const std::uint32_t north = mesh.AddPoint({0, box.radii.y, 0});
    const auto at = [n](int ring, int k) { return static_cast<std::uint32_t>(1 + (ring - 1) * n + (k % n)); };
    for (int k = 0; k < n; ++k) {
        mesh.AddTriangle(south, at(1, k), at(1, k + 1), material);
        for (int ring = 1; ring + 1 < box.rings; ++ring) {
            mesh.AddQuad(at(ring, k), at(ring + 1, k), at(ring + 1, k + 1), at(ring, k + 1), material);
        }
        mesh.AddTriangle(north, at(box.rings - 1, k + 1), at(box.rings - 1, k), material);
    }
    return mesh;
}

}  // namespace

Mesh MakeRoundedBox(const RoundedBox& box, std::uint32_t material) { return RoundedBoxShell(box, material); }

Mesh MakeTexturedPanel(const RoundedBox& box, bool facingPlusX, std::uint32_t material) {
    Mesh mesh = RoundedBoxShell(box, material);
    // Seen from +x the viewer's right is +z; from -x it is -z.
    const double side = facingPlusX ? 1 : -1;
    for (const Vec3& p : mesh.positions) {
        mesh.texCoords.push_back({0.5 + 0.5 * side * p.z / box.radii.z, 0.5 - 0.5 * p.y / box.radii.y});
    }
    return mesh;
}

Mesh MakeLathe(const Lathe& lathe, const std::function<std::uint32_t(std::size_t)>& materialOfEdge) {
    Mesh mesh;
    const int n = lathe.segments;
    // Textured lathes repeat the first column at u = 1 so the image wraps without a smear.
    const int columns = lathe.textured ? n + 1 : n;
    std::vector<std::vector<std::uint32_t>> rows;
    for (const ProfilePoint& point : lathe.profile) {
        std::vector<std::uint32_t> row;
        const int count = point.radius == 0 ? 1 : columns;
        for (int k = 0; k < count; ++k) {
            const double theta = 2 * Pi * k / n;
            row.push_back(mesh.AddPoint({point.radius * std::cos(theta), point.radius * std::sin(theta), point.z}));
            if (lathe.textured) mesh.texCoords.push_back({static_cast<double>(k) / n, point.v});
        }
        rows.push_back(row);
    }
    const auto at = [&](std::size_t i, int k) {
        const std::vector<std::uint32_t>& row = rows[i];
        if (row.size() == 1) return row[0];
        return row[lathe.textured ? static_cast<std::size_t>(k) : static_cast<std::size_t>(k % n)];
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t next = (i + 1) % rows.size();
        const std::uint32_t material = materialOfEdge(i);
        for (int k = 0; k < n; ++k) {
            const std::uint32_t a = at(i, k), b = at(i, k + 1), c = at(next, k + 1), d = at(next, k);
            if (rows[i].size() == 1 && rows[next].size() == 1) {
                break;  // two poles in a row close the loop along the axis
            } else if (rows[i].size() == 1) {
                mesh.AddTriangle(a, c, d, material);
            } else if (rows[next].size() == 1) {
                mesh.AddTriangle(a, b, c, material);
            } else {
                mesh.AddQuad(a, b, c, d, material);
            }
        }
    }
    return mesh;
}

Mesh MakeLoft(const std::vector<std::vector<Vec3>>& sections,
              const std::function<std::uint32_t(const LoftFace&)>& materialOfFace, std::uint32_t capMaterial) {
    Mesh mesh;
    const std::size_t m = sections.front().size();
    for (const std::vector<Vec3>& ring : sections) {
        for (const Vec3& p : ring) mesh.AddPoint(p);
    }
    const auto at = [m](std::size_t section, std::size_t k) { return static_cast<std::uint32_t>(section * m + k % m); };
    for (std::size_t s = 0; s + 1 < sections.size(); ++s) {
        for (std::size_t k = 0; k < m; ++k) {
            const std::uint32_t a = at(s, k), b = at(s, k + 1), c = at(s + 1, k + 1), d = at(s + 1, k);
            const Vec3 normal =
                Normalized(Cross(mesh.positions[c] - mesh.positions[a], mesh.positions[d] - mesh.positions[b]));
            const std::uint32_t material = materialOfFace({s, k, normal});
            mesh.AddQuad(a, b, c, d, material);
        }
    }
    // End caps: fans about each end ring's centre.
    for (const bool first : {true, false}) {
        const std::size_t s = first ? 0 : sections.size() - 1;
        Vec3 centre;
        for (const Vec3& p : sections[s]) centre = centre + p;
        const std::uint32_t middle = mesh.AddPoint(centre * (1.0 / static_cast<double>(m)));
        for (std::size_t k = 0; k < m; ++k) {
            if (first) {
                mesh.AddTriangle(middle, at(s, k + 1), at(s, k), capMaterial);
            } else {
                mesh.AddTriangle(middle, at(s, k), at(s, k + 1), capMaterial);
            }
        }
    }
    return mesh;
}

}  // namespace varnoka::models
