#include "scene/triangle_budget.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "picture_fixture.h"
#include "retained/model_file_loading.h"
#include "scene/build_scene.h"
#include "scene/fit_to_view.h"
#include "scene/model_shelf.h"
#include "scene/viewer_context.h"

using varnoka::rm::MeshData;
using varnoka::rm::MeshFace;
using varnoka::rm::Vec3;

namespace {

constexpr float Pi = 3.14159265f;

// A car-sized ellipsoid of rings x segments quads, its texture wrapping once around, with a seam
// where it closes; its normals one per position, as a file gives them.
MeshData Ellipsoid(int rings, int segments) {
    MeshData mesh;
    for (int r = 0; r <= rings; ++r) {
        const float theta = Pi * (static_cast<float>(r) + 0.5f) / static_cast<float>(rings + 1);
        for (int s = 0; s <= segments; ++s) {
            const float phi = 2 * Pi * static_cast<float>(s) / static_cast<float>(segments);
            const Vec3 unit{std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi)};
            mesh.positions.push_back({4.5f * unit.x, 1.4f * unit.y, 1.8f * unit.z});
            mesh.normals.push_back(unit);
            mesh.textureCoordinates.push_back({static_cast<float>(s) / static_cast<float>(segments),
                                               static_cast<float>(r) / static_cast<float>(rings)});
        }
    }
    const auto at = [segments](int r, int s) { return static_cast<std::uint32_t>(r * (segments + 1) + s); };
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            const std::uint32_t a = at(r, s), b = at(r, s + 1), c = at(r + 1, s + 1), d = at(r + 1, s);
            mesh.faces.push_back({{a, b, c, d}, {a, b, c, d}, 0});
        }
    return mesh;
}

// Meshes drawn in the saver's picture in place of its car, standing still.
class TriangleBudgetTest : public PictureTest {
protected:
    std::vector<std::uint32_t> Picture(const MeshData& mesh) {
        if (window == nullptr) {
            EXPECT_EQ(Open(), PictureStep::Ready);
        }
        EXPECT_EQ(varnoka::rm::AssignMeshData(modelBuilder, mesh), D3DRM_OK);
        Draw(0.0f);
        return window->Pixels();
    }
};

int Covered(const std::vector<std::uint32_t>& pixels) {
    int covered = 0;
    for (std::uint32_t p : pixels) covered += p != 0;
    return covered;
}

TEST(TriangleBudget, AMeshWithinTheBudgetIsLeftAsItIs) {
    MeshData mesh = Ellipsoid(20, 30);
    const MeshData before = mesh;
    KeepWithinTriangleBudget(mesh, 1200);
    EXPECT_EQ(mesh.positions.size(), before.positions.size());
    EXPECT_EQ(mesh.faces.size(), before.faces.size()) << "quads counted as their two triangles";
    EXPECT_EQ(mesh.faces[0].positions.size(), 4u);
}

// Pixels of two pictures whose colours differ by more than a tenth of the range.
int Differing(const std::vector<std::uint32_t>& one, const std::vector<std::uint32_t>& other) {
    int differing = 0;
    for (size_t i = 0; i < one.size(); ++i) {
        int largest = 0;
        for (int shift : {0, 8, 16})
            largest = std::max(largest, std::abs(static_cast<int>((one[i] >> shift) & 0xFF) -
                                                 static_cast<int>((other[i] >> shift) & 0xFF)));
        differing += largest > 24 ? 1 : 0;
    }
    return differing;
}

TEST_F(TriangleBudgetTest, ALargerMeshIsMadeCoarserWithinTheBudgetAndLooksTheSame) {
    MeshData mesh = Ellipsoid(250, 200);  // 100,000 triangles
    FitToView(mesh);
    const std::vector<std::uint32_t> full = Picture(mesh);
    KeepWithinTriangleBudget(mesh, OwnCarTriangleBudget);
    EXPECT_LE(mesh.faces.size(), OwnCarTriangleBudget);
    EXPECT_GT(mesh.faces.size(), OwnCarTriangleBudget / 2) << "as fine as the budget allows";
    for (const MeshFace& face : mesh.faces) {
        ASSERT_EQ(face.positions.size(), 3u);
        ASSERT_EQ(face.normals.size(), 3u) << "the corners keep their normals";
        EXPECT_TRUE(face.positions[0] != face.positions[1] && face.positions[1] != face.positions[2] &&
                    face.positions[0] != face.positions[2]);
    }
    ASSERT_EQ(mesh.textureCoordinates.size(), mesh.positions.size());

    const std::vector<std::uint32_t> coarse = Picture(mesh);
    EXPECT_NEAR(Covered(coarse), Covered(full), Covered(full) / 100) << "the same outline";
    EXPECT_LT(Differing(full, coarse), Covered(full) / 20) << "shading and texture nearly alike";
}

// A real car is no smooth surface: most of its triangles sit in small parts (wheels, lamps),
// so the count falls far more slowly with the grid than on the ellipsoid. Made coarser to three
// quarters of its triangles, one of ours must keep its body, not collapse to a few big faces.
TEST_F(TriangleBudgetTest, ACarOfManySmallPartsKeepsItsShape) {
    ASSERT_EQ(Open(320, 240), PictureStep::Ready);
    const std::string path = ModelPath(6);
    TextureFolder textures{d3drm, path.substr(0, path.find_last_of("/\\"))};
    MeshData mesh;
    ASSERT_EQ(varnoka::rm::LoadModelFile(path.c_str(), LoadTextureCallback, &textures, mesh, nullptr), D3DRM_OK);
    std::size_t triangles = 0;
    for (const MeshFace& face : mesh.faces) triangles += face.positions.size() - 2;
    const std::size_t budget = triangles * 3 / 4;
    const std::vector<std::uint32_t> full = Picture(mesh);
    KeepWithinTriangleBudget(mesh, budget);
    EXPECT_LE(mesh.faces.size(), budget);
    EXPECT_GT(mesh.faces.size(), budget * 3 / 4) << "as fine as the budget allows";

    const std::vector<std::uint32_t> coarse = Picture(mesh);
    EXPECT_NEAR(Covered(coarse), Covered(full), Covered(full) / 50) << "the same outline";
    EXPECT_LT(Differing(full, coarse), Covered(full) / 10) << "the same colours";
}

TEST(TriangleBudget, TheTexturesSeamKeepsItsTwoSides) {
    MeshData mesh = Ellipsoid(250, 200);
    KeepWithinTriangleBudget(mesh, 5000);
    // Where the texture wraps round, vertices at u = 0 and u = 1 share places; merged, the
    // triangles beside the seam would stretch the whole texture across themselves.
    for (const MeshFace& face : mesh.faces) {
        float low = 2, high = -1;
        for (std::uint32_t p : face.positions) {
            low = std::min(low, mesh.textureCoordinates[p].u);
            high = std::max(high, mesh.textureCoordinates[p].u);
        }
        ASSERT_LT(high - low, 0.2f);
    }
}

}  // namespace
