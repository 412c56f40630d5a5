#pragma once
// Plain geometry for building the car parts: points, triangle meshes and placing them.

#include <cmath>
#include <cstdint>
#include <vector>

namespace varnoka::models {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Normalized(Vec3 a) {
    const double l = Length(a);
    return l > 0 ? a * (1.0 / l) : Vec3{};
}

struct TexCoord {
    double u = 0, v = 0;
};

// Faces are clockwise seen from the front (left-handed space), so cross(b - a, c - a) points
// out of the front.
struct Triangle {
    std::uint32_t corners[3] = {0, 0, 0};
    std::uint32_t material = 0;
};

// One part of a car: positions, optional texture coordinates (one per position) and
// triangles whose materials index the car's palette.
struct Mesh {
    std::vector<Vec3> positions;
    std::vector<TexCoord> texCoords;
    std::vector<Triangle> triangles;

    std::uint32_t AddPoint(Vec3 p) {
        positions.push_back(p);
        return static_cast<std::uint32_t>(positions.size() - 1);
    }
    void AddTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t material) {
        triangles.push_back({{a, b, c}, material});
    }
    // a, b, c, d clockwise seen from the front.
    void AddQuad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t material) {
        AddTriangle(a, b, c, material);
        AddTriangle(a, c, d, material);
    }
};

// Rotation (rows are where the x, y and z axes go) then translation, as in a row-vector frame
// matrix.
struct Placement {
    Vec3 xAxis{1, 0, 0};
    Vec3 yAxis{0, 1, 0};
    Vec3 zAxis{0, 0, 1};
    Vec3 offset{};

    Vec3 Apply(Vec3 p) const { return xAxis * p.x + yAxis * p.y + zAxis * p.z + offset; }
};

inline Placement Translation(Vec3 offset) {
    Placement p;
    p.offset = offset;
    return p;
}

// Turned by `radians` about the y axis, clockwise seen from above as the saver turns its frame.
inline Placement TurnAboutY(double radians, Vec3 offset) {
    const double c = std::cos(radians), s = std::sin(radians);
    Placement p;
    p.xAxis = {c, 0, -s};
    p.zAxis = {s, 0, c};
    p.offset = offset;
    return p;
}

// Turned by `radians` about the z axis.
inline Placement TurnAboutZ(double radians, Vec3 offset) {
    const double c = std::cos(radians), s = std::sin(radians);
    Placement p;
    p.xAxis = {c, s, 0};
    p.yAxis = {-s, c, 0};
    p.offset = offset;
    return p;
}

// Adds `part` to `into`, placed. Placements never mirror, so windings keep their fronts.
inline void AppendPlaced(Mesh& into, const Mesh& part, const Placement& placement) {
    const auto base = static_cast<std::uint32_t>(into.positions.size());
    const bool textured = !into.texCoords.empty() || !part.texCoords.empty();
    if (textured) into.texCoords.resize(into.positions.size());
    for (const Vec3& p : part.positions) into.positions.push_back(placement.Apply(p));
    if (textured) {
        if (part.texCoords.empty()) {
            into.texCoords.resize(into.positions.size());
        } else {
            into.texCoords.insert(into.texCoords.end(), part.texCoords.begin(), part.texCoords.end());
        }
    }
    for (Triangle t : part.triangles) {
        for (std::uint32_t& c : t.corners) c += base;
        into.triangles.push_back(t);
    }
}

inline void Append(Mesh& into, const Mesh& part) { AppendPlaced(into, part, Placement{}); }

}  // namespace varnoka::models
