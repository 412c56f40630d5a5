// The generator's outlines, normals and .x writing, checked against what a reader sees.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "retained/xfile/xfile_reader.h"
#include "tools/model_generator/curve.h"
#include "tools/model_generator/mesh_normals.h"
#include "tools/model_generator/shapes.h"
#include "tools/model_generator/xfile_writer.h"

namespace varnoka::models {
namespace {

TEST(ModelOutline, PassesThroughItsPointsWithoutBulgingPastThem) {
    // A steep windscreen running into a nearly flat roof, then a peak.
    const Curve roof({{0, 1}, {0.2, 2}, {1, 2.05}, {1.5, 2.3}, {2, 1}});
    EXPECT_DOUBLE_EQ(roof.At(0.2), 2);
    EXPECT_DOUBLE_EQ(roof.At(1), 2.05);
    for (double x = 0; x <= 2; x += 0.01) {
        const double y = roof.At(x);
        if (x > 0.2 && x < 1) {
            EXPECT_GE(y, 2 - 1e-9) << x;
            EXPECT_LE(y, 2.05 + 1e-9) << x;
        }
        EXPECT_LE(y, 2.3 + 1e-9) << x;
    }
    EXPECT_DOUBLE_EQ(roof.At(-5), 1);  // flat beyond the ends
    EXPECT_DOUBLE_EQ(roof.At(5), 1);
}

TEST(ModelNormals, SmoothAcrossGentleBendsAndSplitAtCreases) {
    // An eight-sided can: neighbouring sides meet at 45 degrees, the sides meet the ends at 90.
    Lathe can;
    can.segments = 8;
    can.profile = {{0, -1, 0}, {1, -1, 0}, {1, 1, 0}, {0, 1, 0}};
    const Mesh mesh = MakeLathe(can, [](std::size_t) { return 0u; });
    const auto sideTriangle = std::find_if(mesh.triangles.begin(), mesh.triangles.end(), [&](const Triangle& t) {
        return std::fabs(mesh.positions[t.corners[0]].z - mesh.positions[t.corners[1]].z) > 1 ||
               std::fabs(mesh.positions[t.corners[1]].z - mesh.positions[t.corners[2]].z) > 1;
    });
    ASSERT_NE(sideTriangle, mesh.triangles.end());
    const std::size_t side = static_cast<std::size_t>(sideTriangle - mesh.triangles.begin());

    const CornerNormals smooth = ComputeNormals(mesh, 50);
    const CornerNormals hard = ComputeNormals(mesh, 40);
    const auto& s = smooth.ofTriangle[side];
    const auto& h = hard.ofTriangle[side];
    EXPECT_FALSE(s[0] == s[1] && s[1] == s[2]);  // rounded across the sides
    EXPECT_TRUE(h[0] == h[1] && h[1] == h[2]);   // one flat face
    for (const Vec3& n : smooth.normals) {
        EXPECT_NEAR(Length(n), 1, 1e-9);
        EXPECT_TRUE(std::fabs(n.z) < 1e-9 || std::fabs(std::fabs(n.z) - 1) < 1e-9) << "an end blended into a side";
    }
}

TEST(ModelWriting, RealsAreShortDottedAndNeverNegativeZero) {
    EXPECT_EQ(FormatNumber(-0.00001), "0.0");
    EXPECT_EQ(FormatNumber(1.23456), "1.2346");
    EXPECT_EQ(FormatNumber(2.5), "2.5");
    EXPECT_EQ(FormatNumber(-3), "-3.0");
    EXPECT_EQ(FormatNumber(10.00004), "10.0");
}

TEST(ModelWriting, SharedPartsAreWrittenIntoEveryFrameThatPlacesThem) {
    CarModel car;
    car.name = "test";
    car.offset = {0, 1, 0};
    car.palette = {{"Red", {1, 0, 0}, 20, {0.5, 0.5, 0.5}, {}, ""},
                   {"Printed", {1, 1, 1}, 5, {}, {0.25, 0, 0}, "picture.bmp"}};
    const Mesh box = MakeRoundedBox({{0.5, 0.5, 0.5}, 0.5, 8, 4}, 0);
    car.sharedParts.push_back({"Box", box, 40});
    Mesh panel = MakeTexturedPanel({{0.1, 0.5, 0.5}, 0.2, 8, 4}, true, 1);
    car.frames.push_back({"Left", Translation({-2, 0, 0}), {}, {"Box"}});
    car.frames.push_back({"Right", Translation({2, 0, 0}), {}, {"Box"}});
    car.frames.push_back({"Middle", Placement{}, {{"Panel", panel, 40}}, {}});

    const std::string text = WriteXFileText(car);
    xfile::LoadedModel model;
    ASSERT_EQ(xfile::ReadXFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), model), LoadStatus::Ok);
    EXPECT_EQ(model.triangles.size(), 2 * box.triangles.size() + panel.triangles.size());
    EXPECT_NE(text.find("Mesh LeftBox {"), std::string::npos);
    EXPECT_NE(text.find("Mesh RightBox {"), std::string::npos);
    // Each mesh carries its own materials: the box's red in both copies, then the panel's.
    ASSERT_EQ(model.materials.size(), 3u);
    EXPECT_FLOAT_EQ(model.materials[1].power, 20);
    EXPECT_EQ(model.materials[2].textureFileName, "picture.bmp");
    EXPECT_FLOAT_EQ(model.materials[2].emissive.r, 0.25f);

    float lowX = 1e9f, highX = -1e9f, lowY = 1e9f;
    for (const xfile::Vector3& p : model.positions) {
        lowX = std::min(lowX, p.x);
        highX = std::max(highX, p.x);
        lowY = std::min(lowY, p.y);
    }
    EXPECT_NEAR(lowX, -2.5f, 1e-4);  // both copies of the box, in their frames
    EXPECT_NEAR(highX, 2.5f, 1e-4);
    EXPECT_NEAR(lowY, 0.5f, 1e-4);  // the car's own offset on top
    ASSERT_EQ(model.textureCoords.size(), model.positions.size());

    car.frames.push_back({"Lost", Placement{}, {}, {"Wheel"}});
    EXPECT_THROW(WriteXFileText(car), std::invalid_argument) << "a frame's part must not silently go missing";
}

}  // namespace
}  // namespace varnoka::models
