#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "known_model_counts.h"
#include "retained/model_file_loading.h"
#include "scene_rig.h"

namespace {

std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + "loading_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
           name;
}

std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = TempPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// A 2x2 24-bit bottom-up BMP of one colour.
std::string SolidBmp(unsigned char r, unsigned char g, unsigned char b) {
    std::string bmp = "BM";
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp.push_back(static_cast<char>(v >> (8 * i)));
    };
    auto put16 = [&](std::uint16_t v) {
        bmp.push_back(static_cast<char>(v));
        bmp.push_back(static_cast<char>(v >> 8));
    };
    put32(54 + 16);
    put32(0);
    put32(54);
    put32(40);
    put32(2);
    put32(2);
    put16(1);
    put16(24);
    put32(0);
    put32(16);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 2; ++x)
            bmp += std::string{static_cast<char>(b), static_cast<char>(g), static_cast<char>(r)};
        bmp += std::string(2, '\0');
    }
    return bmp;
}

// A square of side 4 facing the camera on -z, two materials naming the same texture, inside a
// frame with the given transform.
std::string TexturedSquare(const std::string& textureName, const std::string& frameMatrix) {
    return "xof 0303txt 0032\n"
           "Frame Holder {\n FrameTransformMatrix { " +
           frameMatrix +
           ";; }\n"
           " Mesh Square {\n  4; -2;2;0;, 2;2;0;, 2;-2;0;, -2;-2;0;;\n"
           "  2; 3;0,1,2;, 3;0,2,3;;\n"
           "  MeshTextureCoords { 4; 0;0;, 1;0;, 1;1;, 0;1;; }\n"
           "  MeshMaterialList { 2; 2; 0, 1;;\n"
           "   Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"" +
           textureName +
           "\"; } }\n"
           "   Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"" +
           textureName + "\"; } }\n  }\n }\n}\n";
}

const char* const Identity = "1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1";
// Swaps y and z, as exporters from right-handed tools do, and turns the square back to face -z.
const char* const Mirror = "1,0,0,0, 0,0,1,0, 0,1,0,0, 0,0,0,1";

struct Recorded {
    std::vector<std::string> names;
    bool fail = false;
    IDirect3DRM* d3drm = nullptr;
    std::string folder;
};

HRESULT RecordingCallback(char* name, void* argument, LPDIRECT3DRMTEXTURE* texture) {
    auto* recorded = static_cast<Recorded*>(argument);
    recorded->names.push_back(name);
    if (recorded->fail) return D3DRMERR_FILENOTFOUND;
    return recorded->d3drm->LoadTexture((recorded->folder + name).c_str(), texture);
}

class ModelFileLoadingTest : public ::testing::Test {
protected:
    IDirect3DRMMeshBuilder2* NewBuilder() {
        IDirect3DRMMeshBuilder2* builder = nullptr;
        EXPECT_EQ(rig.d3drm2->CreateMeshBuilder(&builder), D3DRM_OK);
        rig.owned.push_back(builder);
        return builder;
    }

    HRESULT Load(IDirect3DRMMeshBuilder2* builder, const std::string& path, Recorded* recorded = nullptr) {
        return builder->Load(const_cast<char*>(path.c_str()), nullptr, D3DRMLOAD_FROMFILE,
                             recorded ? RecordingCallback : nullptr, recorded);
    }

    // Draws the builder at (0, 0, 5) in front of the camera and returns the centre pixel.
    std::uint32_t CentrePixel(IDirect3DRMMeshBuilder2* builder) {
        rig.AddChildFrame(0, 0, 5)->AddVisual(builder);
        rig.Frame();
        return rig.window.Pixel(16, 16);
    }

    rigs::SceneRig rig{32, 32};
};

TEST_F(ModelFileLoadingTest, FileWrittenByAnotherToolLoadsWhole) {
    const std::string path = std::string(VARNOKA_SHARED_XFILES) + "/test_cube_text.x";
    if (!std::ifstream(path)) GTEST_SKIP() << "no shared model files here";
    IDirect3DRMMeshBuilder2* builder = NewBuilder();
    EXPECT_EQ(Load(builder, path), D3DRM_OK);
    EXPECT_EQ(builder->GetFaceCount(), 12);
}

TEST_F(ModelFileLoadingTest, MissingOrMalformedFileLeavesTheBuilderEmpty) {
    IDirect3DRMMeshBuilder2* builder = NewBuilder();
    const std::string good = WriteFile("square.x", TexturedSquare("none.bmp", Identity));
    ASSERT_EQ(Load(builder, good), D3DRM_OK);
    EXPECT_EQ(builder->GetFaceCount(), 2);

    EXPECT_EQ(Load(builder, TempPath("absent.x")), D3DRMERR_FILENOTFOUND);
    EXPECT_EQ(builder->GetFaceCount(), 0);

    ASSERT_EQ(Load(builder, good), D3DRM_OK);
    const std::string broken =
        WriteFile("broken.x", "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,7;; }");
    EXPECT_EQ(Load(builder, broken), D3DRMERR_BADFILE);
    EXPECT_EQ(builder->GetFaceCount(), 0);
}

TEST_F(ModelFileLoadingTest, OnlyWholeFilesAreLoaded) {
    IDirect3DRMMeshBuilder2* builder = NewBuilder();
    const std::string good = WriteFile("square.x", TexturedSquare("none.bmp", Identity));
    char name[] = "Square";
    EXPECT_EQ(builder->Load(const_cast<char*>(good.c_str()), name, D3DRMLOAD_FROMFILE, nullptr, nullptr),
              D3DRMERR_BADVALUE);
    EXPECT_EQ(builder->Load(const_cast<char*>(good.c_str()), nullptr, 0x10, nullptr, nullptr), D3DRMERR_BADVALUE);
    EXPECT_EQ(builder->Load(nullptr, nullptr, D3DRMLOAD_FROMFILE, nullptr, nullptr), D3DRMERR_BADVALUE);
}

TEST_F(ModelFileLoadingTest, TexturesComeThroughTheCallbackOncePerNameAndShow) {
    WriteFile("green.bmp", SolidBmp(0, 255, 0));
    const std::string model = WriteFile("square.x", TexturedSquare("green.bmp", Identity));
    Recorded recorded{{}, false, rig.d3drm, TempPath("")};
    IDirect3DRMMeshBuilder2* builder = NewBuilder();
    ASSERT_EQ(Load(builder, model, &recorded), D3DRM_OK);
    ASSERT_EQ(recorded.names.size(), 1u);
    EXPECT_EQ(recorded.names[0], "green.bmp");
    rig.AddLights();
    const std::uint32_t centre = CentrePixel(builder);
    EXPECT_EQ(centre & 0xFF00FFu, 0u) << std::hex << centre;
    EXPECT_NE(centre & 0x00FF00u, 0u) << std::hex << centre;
}

TEST_F(ModelFileLoadingTest, TextureNamesWithBackslashesReachTheCallbackAsPaths) {
    const std::string model = WriteFile("square.x", TexturedSquare("maps\\\\paint.bmp", Identity));
    Recorded recorded{{}, true, rig.d3drm, ""};
    ASSERT_EQ(Load(NewBuilder(), model, &recorded), D3DRM_OK);
    ASSERT_EQ(recorded.names.size(), 1u);
    EXPECT_EQ(recorded.names[0], "maps/paint.bmp");
}

TEST_F(ModelFileLoadingTest, TextureThatCannotBeHadKeepsTheCarAndIsReported) {
    const std::string model = WriteFile("square.x", TexturedSquare("absent.bmp", Identity));
    Recorded recorded{{}, true, rig.d3drm, ""};
    IDirect3DRMMeshBuilder2* builder = NewBuilder();
    EXPECT_EQ(Load(builder, model, &recorded), D3DRM_OK);
    EXPECT_EQ(builder->GetFaceCount(), 2);

    varnoka::rm::MeshData data;
    varnoka::rm::ModelLoadReport report;
    ASSERT_EQ(varnoka::rm::LoadModelFile(model.c_str(), nullptr, nullptr, data, &report), D3DRM_OK);
    EXPECT_EQ(report.missingTextures, std::vector<std::string>{"absent.bmp"});
    EXPECT_EQ(report.counts.vertices, 4u);
    EXPECT_EQ(report.counts.faces, 2u);
    EXPECT_EQ(report.counts.materials, 2u);
    EXPECT_EQ(report.counts.textures, 1u);
}

TEST_F(ModelFileLoadingTest, MirroringFrameStillShowsTheFrontOfTheFaces) {
    // The square is written in the y = 0 plane; the mirror swaps y and z so it faces the camera.
    const std::string flat = "xof 0303txt 0032\nFrame Holder {\n FrameTransformMatrix { " + std::string(Mirror) +
                             ";; }\n Mesh { 4; -2;0;2;, 2;0;2;, 2;0;-2;, -2;0;-2;;\n  1; 4;0,3,2,1;;\n"
                             "  MeshMaterialList { 1; 1; 0;; Material { 1;0;0;1;; 0; 0;0;0;; 1;0;0;; } }\n }\n}\n";
    IDirect3DRMMeshBuilder2* builder = NewBuilder();
    ASSERT_EQ(Load(builder, WriteFile("mirrored.x", flat)), D3DRM_OK);
    EXPECT_NE(CentrePixel(builder) & 0xFF0000u, 0u);
}

TEST(LoadTextureFile, ReadsImagesAndReportsMissingAndBadFiles) {
    const std::string bmp = ::testing::TempDir() + "loading_solid.bmp";
    std::ofstream(bmp, std::ios::binary) << SolidBmp(10, 20, 30);
    IDirect3DRM* d3drm = nullptr;
    ASSERT_EQ(Direct3DRMCreate(&d3drm), D3DRM_OK);
    IDirect3DRMTexture* texture = nullptr;
    EXPECT_EQ(d3drm->LoadTexture(bmp.c_str(), &texture), D3DRM_OK);
    ASSERT_NE(texture, nullptr);
    texture->Release();

    texture = reinterpret_cast<IDirect3DRMTexture*>(1);
    EXPECT_EQ(d3drm->LoadTexture((::testing::TempDir() + "loading_absent.bmp").c_str(), &texture),
              D3DRMERR_FILENOTFOUND);
    EXPECT_EQ(texture, nullptr);

    const std::string junk = ::testing::TempDir() + "loading_junk.bmp";
    std::ofstream(junk, std::ios::binary) << "BM this is no picture";
    EXPECT_EQ(d3drm->LoadTexture(junk.c_str(), &texture), D3DRMERR_BADFILE);
    EXPECT_EQ(d3drm->LoadTexture(nullptr, &texture), D3DRMERR_BADVALUE);
    EXPECT_EQ(d3drm->LoadTexture(bmp.c_str(), nullptr), D3DRMERR_BADVALUE);
    d3drm->Release();
}

}  // namespace

TEST(KnownModel, LoadsWithTheSameCountsInEveryBuild) { ExpectPartsCarCounts(VARNOKA_TEST_DATA "/parts_car.x"); }
