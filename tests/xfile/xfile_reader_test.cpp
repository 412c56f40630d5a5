#include <filesystem>

#include "binary_x_writer.h"
#include "retained/io/file_bytes.h"
#include "retained/xfile/texture_path.h"
#include "xfile_test_support.h"

using varnoka::xfile::NoMaterial;
using varnoka::xfile::NoNormal;

namespace {

// Files written by other tools; they live outside the repository.
std::string SharedXFile(const std::string& name) { return std::string(VARNOKA_SHARED_XFILES_DIR) + "/" + name; }

TEST(XFileReader, ReadsTheSameCubeFromEveryEncodingOtherToolsWrite) {
    if (!std::filesystem::exists(VARNOKA_SHARED_XFILES_DIR)) GTEST_SKIP() << "no shared .x files here";
    LoadedModel text;
    ASSERT_EQ(varnoka::xfile::LoadXFile(SharedXFile("test_cube_text.x"), text), LoadStatus::Ok);
    EXPECT_EQ(text.counts.vertices, 24u);
    EXPECT_EQ(text.counts.faces, 12u);
    EXPECT_EQ(text.counts.materials, 1u);
    EXPECT_EQ(text.counts.textures, 0u);
    EXPECT_EQ(text.triangles.size(), 12u);
    EXPECT_FLOAT_EQ(text.materials[0].power, 96.07843f);
    // The root frame swaps y and z: (-1, -1, 1) lands on (-1, 1, -1).
    EXPECT_VECTOR3(text.positions[0], -1.0f, 1.0f, -1.0f);
    // Normals turn with it: the first face's (0, -1, 0) becomes (0, 0, -1).
    EXPECT_VECTOR3(text.normals[text.corners[0].normal], 0.0f, 0.0f, -1.0f);

    for (const char* name : {"test_cube_binary.x", "test_cube_compressed.x"}) {
        SCOPED_TRACE(name);
        LoadedModel other;
        ASSERT_EQ(varnoka::xfile::LoadXFile(SharedXFile(name), other), LoadStatus::Ok);
        EXPECT_EQ(other.counts.vertices, 24u);
        EXPECT_EQ(other.counts.faces, 12u);
        EXPECT_EQ(other.counts.materials, 1u);
        ASSERT_EQ(other.positions.size(), text.positions.size());
        for (std::size_t i = 0; i < text.positions.size(); ++i) {
            EXPECT_NEAR(other.positions[i].x, text.positions[i].x, 1e-6);
            EXPECT_NEAR(other.positions[i].y, text.positions[i].y, 1e-6);
            EXPECT_NEAR(other.positions[i].z, text.positions[i].z, 1e-6);
        }
        ASSERT_EQ(other.corners.size(), text.corners.size());
        for (std::size_t i = 0; i < text.corners.size(); ++i)
            EXPECT_EQ(other.corners[i].position, text.corners[i].position);
    }
}

TEST(XFileReader, MergesFramedPartsWithTheirTransformsMaterialsAndVertexData) {
    LoadedModel model;
    ASSERT_EQ(varnoka::xfile::LoadXFile(DataPath("parts_car.x"), model), LoadStatus::Ok);
    EXPECT_EQ(model.counts.vertices, 9u);
    EXPECT_EQ(model.counts.faces, 3u);
    EXPECT_EQ(model.counts.materials, 2u);
    EXPECT_EQ(model.counts.textures, 1u);

    // The wheel is defined outside the frames and placed once, by the car frame's reference.
    ASSERT_EQ(model.positions.size(), 9u);
    EXPECT_VECTOR3(model.positions[0], 10.0f, 0.0f, 0.0f);
    EXPECT_VECTOR3(model.positions[3], 10.5f, 1.5f, 0.0f);
    // The body's own frame scales by 2 and lifts by 5, inside the car frame's shift by 10.
    EXPECT_VECTOR3(model.positions[5], 10.0f, 5.0f, 0.0f);
    EXPECT_VECTOR3(model.positions[7], 12.0f, 7.0f, 0.0f);

    // A pentagon, a quad and a triangle: fans of 3 + 2 + 1, corner order kept.
    ASSERT_EQ(model.faces.size(), 3u);
    EXPECT_EQ(model.faces[0].cornerCount, 5u);
    ASSERT_EQ(model.triangles.size(), 6u);
    EXPECT_EQ(model.triangles[2].corners[0], 0u);
    EXPECT_EQ(model.triangles[2].corners[2], 4u);
    EXPECT_EQ(model.triangles[4].face, 1u);

    const auto& paint = model.materials[model.faces[0].material];
    EXPECT_FLOAT_EQ(paint.faceColor.r, 1.0f);
    EXPECT_FLOAT_EQ(paint.power, 20.0f);
    EXPECT_FLOAT_EQ(paint.specular.g, 0.5f);
    EXPECT_FLOAT_EQ(paint.emissive.g, 0.1f);
    EXPECT_TRUE(paint.textureFileName.empty());
    // The body's faces: the first uses its list's second entry (glass), the next one the shared paint.
    const auto& glass = model.materials[model.faces[1].material];
    EXPECT_FLOAT_EQ(glass.faceColor.a, 0.5f);
    EXPECT_EQ(glass.textureFileName, "textures\\glass.ppm");
    EXPECT_EQ(model.faces[2].material, model.faces[0].material);

    // Normals only where the file gives them.
    EXPECT_EQ(model.corners[0].normal, NoNormal);
    ASSERT_NE(model.corners[model.faces[1].firstCorner].normal, NoNormal);
    EXPECT_VECTOR3(model.normals[model.corners[model.faces[1].firstCorner].normal], 0.0f, 0.0f, -1.0f);

    // Per-vertex data is padded for the part that has none.
    ASSERT_EQ(model.textureCoords.size(), 9u);
    EXPECT_FLOAT_EQ(model.textureCoords[0].u, 0.0f);
    EXPECT_FLOAT_EQ(model.textureCoords[7].u, 1.0f);
    EXPECT_FLOAT_EQ(model.textureCoords[7].v, 1.0f);
    ASSERT_EQ(model.vertexColors.size(), 9u);
    EXPECT_FLOAT_EQ(model.vertexColors[0].g, 1.0f);
    EXPECT_FLOAT_EQ(model.vertexColors[6].r, 0.0f);
    EXPECT_FLOAT_EQ(model.vertexColors[8].a, 0.5f);
    EXPECT_FLOAT_EQ(model.vertexColors[5].b, 1.0f);
}

TEST(XFileReader, SkipsObjectsItDoesNotUseAndReadsOddNumberForms) {
    LoadedModel model;
    ASSERT_EQ(varnoka::xfile::LoadXFile(DataPath("skipped_objects.x"), model), LoadStatus::Ok);
    EXPECT_EQ(model.counts.vertices, 3u);
    EXPECT_EQ(model.counts.faces, 1u);
    EXPECT_EQ(model.counts.materials, 1u);
    EXPECT_EQ(model.counts.textures, 1u);
    EXPECT_VECTOR3(model.positions[0], 0.0f, 0.0f, 2.5f);
    EXPECT_VECTOR3(model.positions[1], 10.0f, -0.25f, 3.0f);
    EXPECT_EQ(model.corners[1].position, 2u);
    EXPECT_EQ(model.faces[0].material, 0u);
    EXPECT_EQ(model.materials[0].textureFileName, "C:\\\\models\\\\paint.png");
}

TEST(XFileReader, TexturePathsAcceptSingleAndDoubledBackslashes) {
    using varnoka::xfile::TexturePathFromName;
    EXPECT_EQ(TexturePathFromName("body.bmp"), "body.bmp");
    EXPECT_EQ(TexturePathFromName("textures\\glass.ppm"), "textures/glass.ppm");
    EXPECT_EQ(TexturePathFromName("C:\\\\models\\\\paint.png"), "C:/models/paint.png");
    EXPECT_EQ(TexturePathFromName("a/b\\c"), "a/b/c");
}

TEST(XFileReader, ReportsAMissingFileApartFromABadOne) {
    LoadedModel model;
    EXPECT_EQ(varnoka::xfile::LoadXFile(DataPath("no_such_model.x"), model), LoadStatus::FileNotFound);
    EXPECT_EQ(varnoka::xfile::LoadXFile(VARNOKA_TEST_DATA_DIR, model), LoadStatus::FileNotFound);
}

// The same triangle with normals, colours and a material, written in binary.
BinaryXWriter BinaryTriangle(bool doubles, bool sharedLists) {
    BinaryXWriter w(doubles);
    w.Token(31).Name("Vector").Open().Guid().Token(42).Name("x").Semicolon().Close();  // a template
    w.Name("Frame").Name("Root").Open();
    w.Name("FrameTransformMatrix").Open().Floats({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 3, 1}).Close();
    w.Name("Mesh").Name("Tri").Open();
    if (sharedLists) {
        w.Integers({3}).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0.5}).Integers({1, 3, 0, 1, 2});
    } else {
        w.Integer(3);
        for (double v : {0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0, 0.5}) w.Floats({v});
        w.Integer(1).Integer(3).Integers({0, 1}).Integer(2);
    }
    w.Name("MeshNormals").Open().Integers({1}).Floats({0, 0, 2}).Integers({1, 3, 0, 0, 0}).Close();
    w.Name("MeshVertexColors").Open().Integers({1, 2}).Floats({0.25, 0.5, 0.75, 1}).Close();
    w.Name("MeshMaterialList").Open().Integers({1, 1, 0});
    w.Name("Material").Open().Floats({0.1, 0.2, 0.3, 1, 8, 0, 0, 0, 0, 0, 0});
    w.Name("TextureFilename").Open().String("tri.png").Close();
    w.Close().Close();
    w.Name("XSkinMeshHeader").Open().Integers({1, 1, 1}).Close();
    w.Close().Close();
    return w;
}

void ExpectBinaryTriangle(const LoadedModel& model) {
    EXPECT_EQ(model.counts.vertices, 3u);
    EXPECT_EQ(model.counts.faces, 1u);
    ASSERT_EQ(model.positions.size(), 3u);
    EXPECT_VECTOR3(model.positions[2], 0.0f, 1.0f, 3.5f);
    EXPECT_VECTOR3(model.normals[0], 0.0f, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(model.vertexColors[2].g, 0.5f);
    EXPECT_FLOAT_EQ(model.vertexColors[0].g, 1.0f);
    ASSERT_EQ(model.materials.size(), 1u);
    EXPECT_FLOAT_EQ(model.materials[0].faceColor.b, 0.3f);
    EXPECT_EQ(model.materials[0].textureFileName, "tri.png");
    EXPECT_EQ(model.faces[0].material, 0u);
}

TEST(XFileReader, ReadsBinaryFilesHoweverTheValuesArePacked) {
    for (bool doubles : {false, true}) {
        for (bool shared : {false, true}) {
            SCOPED_TRACE(testing::Message() << "doubles " << doubles << " shared lists " << shared);
            LoadedModel model;
            ASSERT_EQ(ReadBytes(BinaryTriangle(doubles, shared).File(), model), LoadStatus::Ok);
            ExpectBinaryTriangle(model);
        }
    }
}

TEST(XFileReader, ReadsCompressedFilesAcrossBlocksThatReferBack) {
    LoadedModel model;
    // Tiny blocks make deflate refer back into the previous block.
    ASSERT_EQ(ReadBytes(CompressXFile(BinaryTriangle(false, true).File(), 40), model), LoadStatus::Ok);
    ExpectBinaryTriangle(model);

    std::vector<std::uint8_t> text;
    ASSERT_EQ(varnoka::ReadFileBytes(DataPath("parts_car.x"), text), LoadStatus::Ok);
    ASSERT_EQ(ReadBytes(CompressXFile(text, 300), model), LoadStatus::Ok);
    EXPECT_EQ(model.counts.vertices, 9u);
    EXPECT_EQ(model.counts.materials, 2u);
}

TEST(XFileReader, NestsFramesUpToTheDepthLimitOnly) {
    auto nested = [](int depth) {
        std::string text = "xof 0303txt 0032\n";
        for (int i = 0; i < depth; ++i) text += "Frame {\n";
        text += "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n";
        for (int i = 0; i < depth; ++i) text += "}\n";
        return text;
    };
    LoadedModel model;
    EXPECT_EQ(ReadText(nested(20), model), LoadStatus::Ok);
    EXPECT_EQ(model.counts.faces, 1u);
    EXPECT_EQ(ReadText(nested(100000), model), LoadStatus::BadFile);
    EXPECT_TRUE(model.positions.empty());
}

}  // namespace
