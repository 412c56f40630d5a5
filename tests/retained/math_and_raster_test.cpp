#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "retained/compiled_mesh.h"
#include "retained/exact_math.h"
#include "retained/mesh_data.h"
#include "retained/pipeline/clipping.h"
#include "retained/pipeline/face_stage.h"
#include "retained/pipeline/lighting.h"
#include "retained/pipeline/triangle_raster.h"
#include "retained/pipeline/vertex_stage.h"
#include "test_meshes.h"

namespace {

using namespace varnoka::rm;

TEST(ExactMath, AgreesWithTheLibraryToTheLastFewBits) {
    for (double x = -40.0; x < 40.0; x += 0.0137) {
        EXPECT_NEAR(Sine(x), std::sin(x), 1e-14) << x;
        EXPECT_NEAR(Cosine(x), std::cos(x), 1e-14) << x;
    }
    for (double base : {0.001, 0.3, 0.5, 0.77, 0.999, 1.0})
        for (double exponent : {0.5, 1.0, 5.0, 20.0, 128.0})
            EXPECT_NEAR(Power(base, exponent), std::pow(base, exponent), 1e-13 + 1e-12 * std::pow(base, exponent));
    EXPECT_EQ(Power(0.0, 5.0), 0.0);
    EXPECT_EQ(Power(0.0, 0.0), 1.0);
    EXPECT_TRUE(std::isnan(Sine(INFINITY)));
}

ScreenVertex At(float x, float y) {
    ScreenVertex v{};
    v.x = x;
    v.y = y;
    return v;
}

// Counts how often each pixel of a w x h grid is covered by the given clockwise triangles.
std::vector<int> Coverage(const std::vector<ScreenVertex>& corners, int w, int h) {
    std::vector<int> count(static_cast<std::size_t>(w) * h, 0);
    const PixelRect clip{0, 0, w, h};
    for (std::size_t i = 0; i + 2 < corners.size(); i += 3) {
        TriangleSetup setup;
        if (!SetupTriangle(corners[i], corners[i + 1], corners[i + 2], clip, setup)) continue;
        RowWalker rows(setup, clip);
        int y = 0, first = 0, last = -1;
        while (rows.Next(y, first, last))
            for (int x = first; x <= last; ++x) ++count[static_cast<std::size_t>(y) * w + x];
    }
    return count;
}

TEST(TriangleRaster, SharedEdgesCoverEveryPixelExactlyOnce) {
    // A fan of triangles around a centre plus a grid of split squares, corners at odd sub-pixel
    // positions and exactly on pixel centres, tile the whole rectangle.
    std::mt19937 random(7);
    std::uniform_real_distribution<float> jitter(-0.49f, 0.49f);
    const int w = 40, h = 30, cells = 5;
    std::vector<std::vector<ScreenVertex>> grid(cells + 1, std::vector<ScreenVertex>(cells + 1));
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i <= cells; ++i) {
            const bool edge = i == 0 || j == 0 || i == cells || j == cells;
            const float x = static_cast<float>(i * w) / cells + (edge ? 0 : jitter(random) * 3);
            const float y = static_cast<float>(j * h) / cells + (edge ? 0 : (j == 2 ? 0.5f : jitter(random) * 3));
            grid[j][i] = At(x, y);
        }
    std::vector<ScreenVertex> corners;
    for (int j = 0; j < cells; ++j)
        for (int i = 0; i < cells; ++i) {
            const ScreenVertex a = grid[j][i], b = grid[j][i + 1], c = grid[j + 1][i + 1], d = grid[j + 1][i];
            corners.insert(corners.end(), {a, b, c, a, c, d});  // clockwise on screen
        }
    for (int count : Coverage(corners, w, h)) ASSERT_EQ(count, 1);
}

TEST(TriangleRaster, DrawingAndPickingAgreeOnEveryRow) {
    // Drawing walks rows incrementally, picking divides per pixel: the spans must be the same,
    // and a row the walk leaves out must be one that picking finds empty. Every third triangle
    // has a horizontal edge, on a pixel centre, between centres or at a random height, which
    // the walk turns into rows it need not visit; of the others, every second has a corner on a
    // pixel centre's row, where the walk hands a side over from one edge to the next.
    std::mt19937 random(11);
    std::uniform_real_distribution<float> coordinate(-300.0f, 400.0f);
    const float heights[] = {20.5f, 21.0f, 21.25f};
    const PixelRect clip{3, 5, 90, 70};
    int compared = 0, leftOut = 0;
    for (int n = 0; n < 4000; ++n) {
        ScreenVertex a = At(coordinate(random), coordinate(random));
        ScreenVertex b = At(coordinate(random), coordinate(random));
        ScreenVertex c = At(coordinate(random), coordinate(random));
        if (n % 3 == 0) a.y = b.y = n % 2 ? heights[(n / 3) % 3] : coordinate(random);
        if (n % 3 != 0 && n % 2 == 0) (n % 4 ? b : c).y = std::floor(c.y) + 0.5f;
        TriangleSetup setup;
        if (!SetupTriangle(a, b, c, clip, setup) && !SetupTriangle(a, c, b, clip, setup)) continue;
        std::vector<bool> walked(static_cast<std::size_t>(setup.lastRow - setup.firstRow + 1), false);
        RowWalker rows(setup, clip);
        int y = 0, first = 0, last = -1;
        while (rows.Next(y, first, last)) {
            ASSERT_GE(y, setup.firstRow);
            ASSERT_LE(y, setup.lastRow);
            walked[static_cast<std::size_t>(y - setup.firstRow)] = true;
            int expectedFirst = 0, expectedLast = -1;
            RowSpan(setup, y, clip, expectedFirst, expectedLast);
            if (expectedFirst > expectedLast) {
                ASSERT_GT(first, last);
            } else {
                ASSERT_EQ(first, expectedFirst);
                ASSERT_EQ(last, expectedLast);
            }
            ++compared;
        }
        for (int row = setup.firstRow; row <= setup.lastRow; ++row) {
            if (walked[static_cast<std::size_t>(row - setup.firstRow)]) continue;
            int expectedFirst = 0, expectedLast = -1;
            RowSpan(setup, row, clip, expectedFirst, expectedLast);
            ASSERT_GT(expectedFirst, expectedLast) << "row " << row << " left out but covered";
            ++leftOut;
        }
    }
    EXPECT_GT(compared, 10000);
    EXPECT_GT(leftOut, 50);
}

TEST(TriangleRaster, FacesPassedOverAsMissingEveryPixelCoverNone) {
    // Slivers and specks of every size up to a few pixels, at every sub-pixel offset, some of
    // them crossing the front plane: a face passed over before lighting must draw no pixel.
    std::mt19937 random(5);
    std::uniform_real_distribution<float> place(2.0f, 14.0f), size(0.0f, 2.5f), depth(-0.5f, 3.0f);
    MeshData data;
    const Projection projection = MakeProjection({0, 0, 16, 16}, 1.0f, 100.0f, 1.0f);
    for (std::uint32_t n = 0; n < 20000; ++n) {
        const float x = place(random), y = place(random), z = 1.5f + depth(random);
        for (int k = 0; k < 3; ++k) {
            // Screen position (sx, sy) at view depth z.
            const float sx = x + size(random), sy = y + size(random);
            data.positions.push_back({(sx - projection.centerX) * z / projection.scale,
                                      (projection.centerY - sy) * z / projection.scale, z});
        }
        data.faces.push_back(rigs::Face({3 * n, 3 * n + 1, 3 * n + 2}));
    }
    CompiledMesh mesh;
    ASSERT_EQ(CompileMesh(data, mesh), D3DRM_OK);
    TransformedMesh transformed;
    TransformMesh(mesh, RigidTransform{}, projection, transformed);
    const ClipVolume volume = MakeClipVolume(projection);
    FaceScratch scratch;
    BeginMesh(mesh, scratch);
    const LightSet noLights{};
    const FaceLighting lighting{&noLights, ColorModel::Rgb, D3DRMSHADE_FLAT, false};
    int passedOver = 0, covering = 0;
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
        PrepareCorners(mesh, transformed, f, lighting, scratch);
        BuildTriangles(volume, scratch);
        int drawn = 0;  // as the fill draws the face, in its winding
        for (int count : Coverage(scratch.triangles, 16, 16)) drawn += count;
        covering += drawn > 0;
        if (!FaceMissesEveryPixel(mesh, transformed, mesh.faces[f], volume, projection.rect)) continue;
        ++passedOver;
        ASSERT_EQ(drawn, 0) << "face " << f;
    }
    EXPECT_GT(covering, 2000);
    // None of these faces is large: nearly every one that draws nothing is known not to.
    EXPECT_GT(passedOver, (static_cast<int>(mesh.faces.size()) - covering) * 9 / 10);
}

TEST(TriangleRaster, CounterClockwiseAndDegenerateTrianglesCoverNothing) {
    const PixelRect clip{0, 0, 16, 16};
    TriangleSetup setup;
    EXPECT_FALSE(SetupTriangle(At(1, 1), At(1, 10), At(10, 1), clip, setup));    // counter-clockwise
    EXPECT_FALSE(SetupTriangle(At(1, 1), At(5, 5), At(9, 9), clip, setup));      // a line
    EXPECT_FALSE(SetupTriangle(At(1, 1), At(1.01f, 1), At(1, 1), clip, setup));  // a point
    EXPECT_FALSE(SetupTriangle(At(20, 1), At(30, 1), At(20, 9), clip, setup));   // off the rectangle
    EXPECT_FALSE(SetupTriangle(At(NAN, 1), At(30, 1), At(20, 9), clip, setup));
    EXPECT_TRUE(SetupTriangle(At(1, 1), At(10, 1), At(1, 10), clip, setup));
}

TEST(TriangleRaster, AttributesAreExactAtCornersAndDepthIsInterpolated) {
    ScreenVertex a = At(0.5f, 0.5f), b = At(8.5f, 0.5f), c = At(0.5f, 8.5f);
    a.attributes[Depth] = 0.25f;
    b.attributes[Depth] = 0.75f;
    c.attributes[Depth] = 0.25f;
    TriangleSetup setup;
    ASSERT_TRUE(SetupTriangle(a, b, c, {0, 0, 16, 16}, setup));
    float depth = 0;
    ASSERT_TRUE(CoversPixel(setup, 0, 0, depth));
    EXPECT_FLOAT_EQ(depth, 0.25f);
    ASSERT_TRUE(CoversPixel(setup, 4, 2, depth));
    EXPECT_FLOAT_EQ(depth, 0.5f);
    EXPECT_FALSE(CoversPixel(setup, 8, 8, depth));
}

TEST(Clipping, CutsAtTheFrontAndBackPlanesAndKeepsAttributesLinear) {
    const ClipVolume volume{1.0f, 10.0f, -1000, 1000, -1000, 1000};
    ClipVertex polygon[MaxClippedCorners] = {};
    polygon[0].position = {0, 0, 0, 0.0f};
    polygon[0].u = 0;
    polygon[1].position = {0, 0, 0, 20.0f};
    polygon[1].u = 1;
    polygon[2].position = {5, 0, 0, 20.0f};
    polygon[2].u = 1;
    const int count = ClipPolygon(polygon, 3, volume);
    ASSERT_EQ(count, 4);
    for (int i = 0; i < count; ++i) {
        EXPECT_GE(polygon[i].position.w, 1.0f - 1e-5f);
        EXPECT_LE(polygon[i].position.w, 10.0f + 1e-5f);
        EXPECT_NEAR(polygon[i].u, polygon[i].position.w / 20.0f, 1e-6f);
    }
    ClipVertex a = polygon[0], b = polygon[1];
    a.position = {0, 0, 0, 0.5f};
    b.position = {0, 0, 0, 0.9f};
    EXPECT_FALSE(ClipSegment(a, b, volume));  // wholly in front of the front plane
}

}  // namespace
