// Each .glb twin the build writes holds the triangles of its .x file, mirrored into glTF's
// space with their fronts counter-clockwise, and the same corner normals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>

#include "retained/xfile/xfile_reader.h"
#include "tests/gltf_twins/glb_file.h"
#include "tools/model_generator/model_set.h"

namespace {

using gltf_test::Point;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Both files write points to four decimals, so a triangle is known by its corners on that grid,
// starting from the least so that the same turn of corners gives the same key.
using Key = std::array<long long, 9>;

Key KeyOf(const std::array<Point, 3>& corners) {
    std::array<std::array<long long, 3>, 3> grid;
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 3; ++i) grid[k][i] = std::llround(corners[k][i] * 1e4);
    const int first = static_cast<int>(std::min_element(grid.begin(), grid.end()) - grid.begin());
    Key key;
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 3; ++i) key[k * 3 + i] = grid[(first + k) % 3][i];
    return key;
}

double Dot(const Point& a, const Point& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Point FaceNormal(const std::array<Point, 3>& c) {
    const Point u{c[1][0] - c[0][0], c[1][1] - c[0][1], c[1][2] - c[0][2]};
    const Point v{c[2][0] - c[0][0], c[2][1] - c[0][1], c[2][2] - c[0][2]};
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

class GlbTwin : public testing::TestWithParam<int> {};

TEST_P(GlbTwin, HoldsTheTrianglesAndNormalsOfItsXFileMirrored) {
    const std::string name = "vk" + std::to_string(GetParam());
    const std::string x = ReadFile(std::string(VARNOKA_MODELS_DIR) + "/" + name + ".x");
    varnoka::xfile::LoadedModel model;
    ASSERT_EQ(varnoka::xfile::ReadXFile(reinterpret_cast<const std::uint8_t*>(x.data()), x.size(), model),
              varnoka::LoadStatus::Ok);
    const auto twin = gltf_test::ParseGlb(ReadFile(std::string(VARNOKA_GLTF_TWINS_DIR) + "/" + name + ".glb"));
    const auto placed = gltf_test::SceneTriangles(twin);
    ASSERT_EQ(placed.size(), model.triangles.size());

    // The .x triangles, mirrored (z negated) and taken the other way round: a, c, b.
    std::multimap<Key, std::array<Point, 3>> expected;
    for (const auto& t : model.triangles) {
        std::array<Point, 3> corners, normals;
        const int order[3] = {0, 2, 1};
        for (int k = 0; k < 3; ++k) {
            const auto& corner = model.corners[t.corners[order[k]]];
            const auto& p = model.positions[corner.position];
            corners[k] = {p.x, p.y, -p.z};
            ASSERT_NE(corner.normal, varnoka::xfile::NoNormal);
            const auto& n = model.normals[corner.normal];
            normals[k] = {n.x, n.y, -n.z};
        }
        // Normals follow the corners' turn, so they are found with the key's first corner.
        const Key key = KeyOf(corners);
        expected.emplace(key, normals);
    }

    int frontsAlongNormals = 0;
    for (const auto& t : placed) {
        const auto found = expected.find(KeyOf(t.corners));
        ASSERT_NE(found, expected.end()) << name << ": a triangle the .x file does not have (or wound the other way)";
        // Same corner normals, whichever corner the key started from.
        double worst = 1;
        for (int k = 0; k < 3; ++k) {
            double best = -1;
            for (int j = 0; j < 3; ++j) best = std::max(best, Dot(t.normals[k], found->second[j]));
            worst = std::min(worst, best);
        }
        EXPECT_GT(worst, 0.999) << name;
        expected.erase(found);
        // Counter-clockwise fronts: the face's own normal goes the way its corner normals do.
        const Point face = FaceNormal(t.corners);
        if (Dot(face, t.normals[0]) + Dot(face, t.normals[1]) + Dot(face, t.normals[2]) > 0) ++frontsAlongNormals;
    }
    EXPECT_TRUE(expected.empty());
    // Smoothed normals of a few thin triangles may lean past their face.
    EXPECT_GT(frontsAlongNormals, 0.99 * static_cast<double>(placed.size())) << name;
}

INSTANTIATE_TEST_SUITE_P(OurCars, GlbTwin, testing::ValuesIn(varnoka::models::GlbTwinCars),
                         [](const testing::TestParamInfo<int>& info) { return "vk" + std::to_string(info.param); });

}  // namespace
