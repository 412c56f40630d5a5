// Geometry as the reader hands it to the engine: handedness, node transforms, primitive modes,
// normals read or computed.
#include <gtest/gtest.h>

#include "gltf_test_support.h"

namespace gltf_test {
namespace {

using varnoka::LoadStatus;
using varnoka::gltf::Float3;

// A tetrahedron whose apex leans to +x and whose front tip points to +z: no symmetry hides a mirror.
GltfBuilder Tetrahedron(const std::string& nodeExtra = "") {
    GltfBuilder b;
    const std::vector<float> p = {0, 0, 0, 2, 0, 0, 0, 0, 3, 0.5f, 1, 0.5f};
    const int positions = b.Floats(p, "VEC3");
    // Counter-clockwise seen from outside, as glTF has it.
    const int indices = b.Indices({0, 1, 2, 0, 3, 1, 0, 2, 3, 1, 3, 2});
    SceneOfMesh(b, b.Mesh(positions, -1, -1, indices), nodeExtra);
    return b;
}

bool Near(const Float3& a, const Float3& b, float tolerance = 1e-5f) {
    return std::fabs(a.x - b.x) < tolerance && std::fabs(a.y - b.y) < tolerance && std::fabs(a.z - b.z) < tolerance;
}

TEST(GltfHandedness, CarKeepsItsSidesAndItsFacesPointOut) {
    for (const Bytes& file : {Tetrahedron().Glb(), [] {
                                  const std::string text = Tetrahedron().Gltf();
                                  return Bytes(text.begin(), text.end());
                              }()}) {
        const ReadResult read = Read(file);
        ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
        ASSERT_EQ(read.model.triangles.size(), 4u);
        // z turned round: the front tip at glTF +z is at -z, the lean to +x stays at +x.
        EXPECT_TRUE(Near(read.model.positions[2], {0, 0, -3}));
        EXPECT_TRUE(Near(read.model.positions[1], {2, 0, 0}));
        EXPECT_GT(SignedVolume(read.model), 0);
        // Computed normals agree with the faces' fronts.
        for (std::size_t t = 0; t < read.model.triangles.size(); ++t) {
            const Float3 front = FrontOf(read.model, t);
            const Float3 n = read.model.normals[read.model.triangles[t].normals[0]];
            EXPECT_GT(front.x * n.x + front.y * n.y + front.z * n.z, 0) << "triangle " << t;
        }
    }
}

TEST(GltfHandedness, MirroringNodeDoesNotTurnTheCarInsideOut) {
    const ReadResult read = Read(Tetrahedron("\"scale\":[-1,1,1]").Glb());
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    EXPECT_TRUE(Near(read.model.positions[1], {-2, 0, 0}));
    EXPECT_GT(SignedVolume(read.model), 0);
    for (std::size_t t = 0; t < read.model.triangles.size(); ++t) {
        const Float3 front = FrontOf(read.model, t);
        const Float3 n = read.model.normals[read.model.triangles[t].normals[1]];
        EXPECT_GT(front.x * n.x + front.y * n.y + front.z * n.z, 0) << "triangle " << t;
    }
}

TEST(GltfNodes, MatrixAndTranslationRotationScaleAccumulateDownTheTree) {
    GltfBuilder b;
    const int positions = b.Floats({1, 0, 0, 0, 1, 0, 0, 0, 1}, "VEC3");
    const int mesh = b.Mesh(positions, b.Floats({0, 0, 1, 0, 0, 1, 0, 0, 1}, "VEC3"));
    // Parent: a quarter turn about y (x goes to -z) and scale 2; child: moved by (0, 0, 1) by matrix.
    const float s = std::sqrt(0.5f);
    b.Node("{\"children\":[1],\"rotation\":[0," + std::to_string(s) + ",0," + std::to_string(s) +
           "],\"scale\":[2,2,2]}");
    b.Node("{\"mesh\":" + std::to_string(mesh) + ",\"matrix\":[1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,1,1]}");
    b.Add("scenes", "{\"nodes\":[0]}");
    const ReadResult read = Read(b.Glb());
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    // glTF: child point (1,0,0) + (0,0,1) = (1,0,1); scaled (2,0,2); turned about y to (2,0,-2);
    // then z turned round.
    EXPECT_TRUE(Near(read.model.positions[0], {2, 0, 2}, 1e-4f));
    EXPECT_TRUE(Near(read.model.positions[1], {2, 2, 0}, 1e-4f));
    // The normal (0,0,1) turns to (1,0,0) and stays a unit vector despite the scale.
    EXPECT_TRUE(Near(read.model.normals[0], {1, 0, 0}, 1e-4f));
    EXPECT_EQ(read.model.counts.nodes, 2u);
}

TEST(GltfNodes, DefaultSceneIsTheOneDrawn) {
    GltfBuilder b;
    const int one = b.Mesh(b.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3"));
    const int two = b.Mesh(b.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0, 5, 5, 5, 6, 5, 5, 5, 6, 5}, "VEC3"));
    b.Node("{\"mesh\":" + std::to_string(one) + "}");
    b.Node("{\"mesh\":" + std::to_string(two) + "}");
    b.Add("scenes", "{\"nodes\":[0]}");
    b.Add("scenes", "{\"nodes\":[1]}");
    b.TopLevel("\"scene\":1");
    const ReadResult read = Read(b.Glb());
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    EXPECT_EQ(read.model.triangles.size(), 2u);
}

TEST(GltfPrimitives, StripsAndFansKeepEveryTriangleFacingTheSameWay) {
    // Four points of a square in the xy plane, facing +z in glTF.
    const std::vector<float> strip = {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0};
    const std::vector<float> fan = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, -1, 0.5f, 0};
    for (const auto& [points, mode, triangles] :
         {std::make_tuple(strip, 5, 2u), std::make_tuple(fan, 6, 3u), std::make_tuple(strip, 4, 1u)}) {
        GltfBuilder b;
        SceneOfMesh(b, b.Mesh(b.Floats(points, "VEC3"), -1, -1, -1, -1, "\"mode\":" + std::to_string(mode)));
        const ReadResult read = Read(b.Glb());
        ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
        ASSERT_EQ(read.model.triangles.size(), triangles) << "mode " << mode;
        for (std::size_t t = 0; t < triangles; ++t) {
            // Facing glTF +z is facing engine -z.
            EXPECT_LT(FrontOf(read.model, t).z, 0) << "mode " << mode << " triangle " << t;
            EXPECT_LT(read.model.normals[read.model.triangles[t].normals[2]].z, -0.99f);
        }
    }
}

TEST(GltfPrimitives, PointsAndLinesAreLeftOutAndNothingElseMeansNoCar) {
    GltfBuilder b;
    const int positions = b.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
    SceneOfMesh(b, b.Mesh(positions, -1, -1, -1, -1, "\"mode\":1"));
    const ReadResult read = Read(b.Glb());
    EXPECT_EQ(read.status, LoadStatus::BadFile);
    EXPECT_EQ(read.problem, "The car has no triangles to draw.");
}

TEST(GltfPrimitives, DegenerateTrianglesAreDropped) {
    GltfBuilder b;
    const int positions = b.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
    SceneOfMesh(b, b.Mesh(positions, -1, -1, b.Indices({0, 1, 2, 0, 0, 1, 2, 2, 2})));
    const ReadResult read = Read(b.Glb());
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    EXPECT_EQ(read.model.triangles.size(), 1u);
}

// Two triangles hinged on the x axis, opened by `degrees` from flat.
ReadResult Hinge(float degrees) {
    const float r = degrees * 3.14159265f / 180;
    GltfBuilder b;
    const int positions =
        b.Floats({0, 0, 0, 1, 0, 0, 0.5f, 1, 0, 1, 0, 0, 0, 0, 0, 0.5f, -std::cos(r), std::sin(r)}, "VEC3");
    SceneOfMesh(b, b.Mesh(positions));
    return Read(b.Glb());
}

TEST(GltfNormals, ComputedNormalsAreSmoothAcrossShallowEdgesAndHardAcrossSharpOnes) {
    const ReadResult shallow = Hinge(20);
    ASSERT_EQ(shallow.status, LoadStatus::Ok) << shallow.problem;
    const auto& m = shallow.model;
    // Corner 1 of the first triangle and corner 0 of the second are both at (1, 0, 0).
    const Float3 a = m.normals[m.triangles[0].normals[2]];  // engine order (0, 2, 1): corner 1 at slot 2
    const Float3 b = m.normals[m.triangles[1].normals[0]];
    EXPECT_TRUE(Near(a, b, 1e-5f));
    EXPECT_NEAR(a.x * a.x + a.y * a.y + a.z * a.z, 1, 1e-5);

    const ReadResult sharp = Hinge(90);
    ASSERT_EQ(sharp.status, LoadStatus::Ok) << sharp.problem;
    const auto& n = sharp.model;
    const Float3 c = n.normals[n.triangles[0].normals[2]];
    const Float3 d = n.normals[n.triangles[1].normals[0]];
    EXPECT_NEAR(c.x * d.x + c.y * d.y + c.z * d.z, 0, 1e-4);
    EXPECT_TRUE(Near(c, {0, 0, -1}));
}

TEST(GltfAccessors, QuantizedInterleavedAndSparseDataReadAsFloats) {
    GltfBuilder b;
    // Positions as normalized shorts interleaved with byte normals: 6 + 2 padding + 4 = 12 bytes.
    struct Vertex {
        std::int16_t p[3];
        std::int16_t pad;
        std::int8_t n[3];
        std::int8_t pad2;
    };
    const Vertex vertices[3] = {
        {{0, 0, 0}, 0, {0, 0, 127}, 0}, {{32767, 0, 0}, 0, {0, 0, 127}, 0}, {{0, 32767, 0}, 0, {0, 0, 127}, 0}};
    const int view = b.View(vertices, sizeof vertices, sizeof(Vertex));
    const int positions = b.Accessor(view, Short, 3, "VEC3", 0, "\"normalized\":true");
    const int normals = b.Accessor(view, Byte, 3, "VEC3", 8, "\"normalized\":true");
    SceneOfMesh(b, b.Mesh(positions, normals));
    b.TopLevel("\"extensionsUsed\":[\"KHR_mesh_quantization\"],\"extensionsRequired\":[\"KHR_mesh_quantization\"]");
    const ReadResult read = Read(b.Glb());
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    EXPECT_TRUE(Near(read.model.positions[1], {1, 0, 0}));
    EXPECT_TRUE(Near(read.model.normals[0], {0, 0, -1}));

    // A sparse accessor moves the third point on to (0, 2, 0).
    GltfBuilder s;
    const int base = s.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
    (void)base;
    const std::uint16_t sparseIndex[2] = {2, 0};
    const float sparseValue[3] = {0, 2, 0};
    const int indexView = s.View(sparseIndex, sizeof sparseIndex);
    const int valueView = s.View(sparseValue, sizeof sparseValue);
    const int sparse =
        s.Accessor(0, Float, 3, "VEC3", 0,
                   "\"sparse\":{\"count\":1,\"indices\":{\"bufferView\":" + std::to_string(indexView) +
                       ",\"componentType\":5123},\"values\":{\"bufferView\":" + std::to_string(valueView) + "}}");
    SceneOfMesh(s, s.Mesh(sparse));
    const ReadResult sparseRead = Read(s.Glb());
    ASSERT_EQ(sparseRead.status, LoadStatus::Ok) << sparseRead.problem;
    EXPECT_TRUE(Near(sparseRead.model.positions[2], {0, 2, 0}));
}

TEST(GltfAccessors, DataOutsideItsBufferIsRefusedBeforeItIsRead) {
    // Offset past the view, count past the view, index past the positions, view past the buffer.
    for (int c = 0; c < 4; ++c) {
        GltfBuilder b;
        const std::vector<float> p = {0, 0, 0, 1, 0, 0, 0, 1, 0};
        const int view = b.View(p.data(), p.size() * sizeof(float));
        int positions = -1;
        int indices = -1;
        if (c == 0) positions = b.Accessor(view, Float, 3, "VEC3", 40);
        if (c == 1) positions = b.Accessor(view, Float, 4, "VEC3");
        if (c >= 2) positions = b.Accessor(view, Float, 3, "VEC3");
        if (c == 2) indices = b.Indices({0, 1, 3});
        if (c == 3) {
            const int big = b.Add("bufferViews", "{\"buffer\":0,\"byteOffset\":0,\"byteLength\":4000}");
            indices = b.Accessor(big, UnsignedShort, 3, "SCALAR");
        }
        SceneOfMesh(b, b.Mesh(positions, -1, -1, indices));
        const ReadResult read = Read(b.Glb());
        EXPECT_EQ(read.status, LoadStatus::BadFile) << "case " << c;
        EXPECT_EQ(read.problem, "The car's geometry points outside its data.") << "case " << c;
        EXPECT_TRUE(read.model.positions.empty());
    }
}

}  // namespace
}  // namespace gltf_test
