// Files we do not read, and hostile ones: each refused with its own sentence, quickly and before
// the memory they ask for is taken.
#include <gtest/gtest.h>

#include "gltf_test_support.h"
#include "retained/gltf/json_depth.h"
#include "retained/gltf/side_files.h"

namespace gltf_test {
namespace {

using varnoka::LoadStatus;

GltfBuilder Triangle() {
    GltfBuilder b;
    SceneOfMesh(b, b.Mesh(b.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3")));
    return b;
}

void ExpectRefused(const ReadResult& read, const std::string& problem) {
    EXPECT_EQ(read.status, LoadStatus::BadFile);
    EXPECT_EQ(read.problem, problem);
    EXPECT_TRUE(read.model.positions.empty());
    EXPECT_TRUE(read.model.triangles.empty());
}

TEST(GltfRefusals, ExtensionsWeDoNotReadAreNamed) {
    GltfBuilder required = Triangle();
    required.TopLevel("\"extensionsUsed\":[\"EXT_foo\"],\"extensionsRequired\":[\"EXT_foo\"]");
    ExpectRefused(Read(required.Glb()), "The car needs the glTF extension EXT_foo, which Varnoka does not read.");

    // Draco named only on the primitive, as an optional extension with no fallback we could trust.
    GltfBuilder draco;
    const int positions = draco.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
    SceneOfMesh(draco, draco.Mesh(positions, -1, -1, -1, -1,
                                  "\"extensions\":{\"KHR_draco_mesh_compression\":{\"bufferView\":0,"
                                  "\"attributes\":{\"POSITION\":0}}}"));
    draco.TopLevel("\"extensionsUsed\":[\"KHR_draco_mesh_compression\"]");
    ExpectRefused(Read(draco.Glb()), "The car is compressed with Draco, which Varnoka does not read.");

    GltfBuilder meshopt = Triangle();
    meshopt.TopLevel("\"extensionsRequired\":[\"EXT_meshopt_compression\"]");
    ExpectRefused(Read(meshopt.Glb()), "The car is compressed with meshoptimizer, which Varnoka does not read.");

    GltfBuilder future = Triangle();
    future.version = "3.0";
    ExpectRefused(Read(future.Glb()), "The car is glTF version 3.0, and Varnoka reads version 2.");
}

TEST(GltfRefusals, CutShortGlbAtEveryLengthIsRefused) {
    const Bytes whole = Triangle().Glb();
    for (std::size_t length = 0; length < whole.size(); ++length) {
        Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        if (length < 4) continue;  // not even the magic: not glTF at all
        const ReadResult read = Read(cut);
        EXPECT_EQ(read.status, LoadStatus::BadFile) << length;
        EXPECT_EQ(read.problem, "The .glb file is cut short.") << length;
    }
    // A BIN chunk header claiming more than is there.
    Bytes forged = whole;
    const std::size_t binHeader = 12 + 8 + (forged[12] | forged[13] << 8);
    forged[binHeader] = 0xFF;
    forged[binHeader + 1] = 0xFF;
    ExpectRefused(Read(forged), "The .glb file is cut short.");
}

TEST(GltfRefusals, TextThatIsNotJsonSaysWhere) {
    const ReadResult read = Read(std::string("{\"asset\":{\"version\":\"2.0\"},"));
    EXPECT_EQ(read.status, LoadStatus::BadFile);
    EXPECT_EQ(read.problem.rfind("The glTF text is not valid JSON: parse error at line 1, column ", 0), 0u)
        << read.problem;
}

TEST(GltfRefusals, DeepBracketsAreRefusedWithoutParsing) {
    std::string bomb = "{\"asset\":{\"version\":\"2.0\"},\"extras\":";
    bomb += std::string(1000000, '[');
    ExpectRefused(Read(bomb), "The glTF text nests its brackets deeper than 64 levels.");
    // Brackets inside strings are text, not nesting.
    const std::string quoted = "{\"a\":\"" + std::string(100, '[') + "\\\"[[\"}";
    EXPECT_TRUE(varnoka::gltf::JsonDepthWithin(quoted.data(), quoted.size(), 2));
    EXPECT_FALSE(varnoka::gltf::JsonDepthWithin("[[[]]]", 6, 2));
}

TEST(GltfRefusals, CountsPastTheLimitsAreRefusedBeforeReading) {
    GltfBuilder triangles;
    const int positions = triangles.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
    // Three billion indices claimed over a buffer of a few bytes.
    const int indices = triangles.Accessor(0, UnsignedInt, 3000000000u, "SCALAR");
    SceneOfMesh(triangles, triangles.Mesh(positions, -1, -1, indices));
    ExpectRefused(Read(triangles.Glb()), "The car has more than 2000000 triangles.");

    GltfBuilder vertices;
    const int many = vertices.Accessor(-1, Float, 2000001, "VEC3");
    SceneOfMesh(vertices, vertices.Mesh(many));
    ExpectRefused(Read(vertices.Glb()), "The car has more than 2000000 vertices.");

    // Double-sided faces count twice: 1,500,000 triangles drawn from both sides are too many.
    GltfBuilder doubled;
    doubled.Add("materials", "{\"doubleSided\":true}");
    const int strip = doubled.Accessor(-1, Float, 1500002, "VEC3");
    SceneOfMesh(doubled, doubled.Mesh(strip, -1, -1, -1, 0, "\"mode\":5"));
    ExpectRefused(Read(doubled.Glb()), "The car has more than 2000000 triangles.");
}

TEST(GltfRefusals, AttributeCountsUnlikeThePositionsAreRefusedBeforeReading) {
    // Zero-filled normals or texture coordinates of a forged count: more than memory can hold.
    for (const std::string type : {"VEC3", "VEC2"}) {
        GltfBuilder b;
        b.Add("materials", "{\"pbrMetallicRoughness\":{\"baseColorTexture\":{\"index\":0}}}");
        b.Add("textures", "{\"source\":0}");
        b.Add("images", "{\"uri\":\"data:image/png;base64,AAAA\"}");
        const int positions = b.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
        const int huge = b.Accessor(-1, Float, 4000000000000000000u, type);
        SceneOfMesh(b, type == "VEC3" ? b.Mesh(positions, huge, -1, -1, 0) : b.Mesh(positions, -1, huge, -1, 0));
        ExpectRefused(Read(b.Glb()), "The car's geometry points outside its data.");
    }
}

TEST(GltfRefusals, NodeLoopsSharedChildrenAndDeepTreesAreRefused) {
    const std::string mesh = "\"mesh\":0";
    GltfBuilder cycle;
    const int positions = cycle.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
    cycle.Mesh(positions);
    cycle.Node("{" + mesh + ",\"children\":[1]}");
    cycle.Node("{\"children\":[0]}");
    cycle.Add("scenes", "{\"nodes\":[0]}");
    ExpectRefused(Read(cycle.Glb()), "The car's nodes loop back on themselves or share a child.");

    GltfBuilder shared;
    shared.Mesh(shared.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3"));
    shared.Node("{\"children\":[2]}");
    shared.Node("{\"children\":[2]}");
    shared.Node("{" + mesh + "}");
    shared.Add("scenes", "{\"nodes\":[0,1]}");
    ExpectRefused(Read(shared.Glb()), "The car's nodes loop back on themselves or share a child.");

    GltfBuilder deep;
    deep.Mesh(deep.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3"));
    for (int i = 0; i < 65; ++i) deep.Node("{\"children\":[" + std::to_string(i + 1) + "]}");
    deep.Node("{" + mesh + "}");
    deep.Add("scenes", "{\"nodes\":[0]}");
    ExpectRefused(Read(deep.Glb()), "The car's nodes are nested deeper than 64.");
}

TEST(GltfRefusals, SceneWithoutTrianglesAndTextThatIsNoGltf) {
    GltfBuilder empty;
    empty.Add("scenes", "{\"nodes\":[]}");
    ExpectRefused(Read(empty.Gltf()), "The car has no triangles to draw.");
    const std::string x = "xof 0303txt 0032\n";
    EXPECT_FALSE(varnoka::gltf::LooksLikeGltf(reinterpret_cast<const std::uint8_t*>(x.data()), x.size()));
    const std::string json = " \r\n\t{}";
    EXPECT_TRUE(varnoka::gltf::LooksLikeGltf(reinterpret_cast<const std::uint8_t*>(json.data()), json.size()));
}

TEST(GltfSidePaths, OnlyRelativePathsInsideTheFolderAndPercentEscapesDecoded) {
    using varnoka::gltf::IsSafeRelativePath;
    EXPECT_TRUE(IsSafeRelativePath("car.bin"));
    EXPECT_TRUE(IsSafeRelativePath("textures/paint.png"));
    EXPECT_TRUE(IsSafeRelativePath("a..b.png"));
    for (const char* bad : {"", "/etc/passwd", "\\\\server\\share\\x.bin", "C:\\x.bin", "c:x.bin",
                            "http://example.invalid/x.bin", "../x.bin", "a/../../x.bin", "a\\..\\x.bin", ".."})
        EXPECT_FALSE(IsSafeRelativePath(bad)) << bad;
    std::string decoded;
    EXPECT_TRUE(varnoka::gltf::PercentDecode("my%20car%2b1.png", decoded));
    EXPECT_EQ(decoded, "my car+1.png");
    EXPECT_FALSE(varnoka::gltf::PercentDecode("bad%2", decoded));
    EXPECT_FALSE(varnoka::gltf::PercentDecode("nul%00.png", decoded));
}

}  // namespace
}  // namespace gltf_test
