// glTF cars through the engine's own loader: told from .x files by content, drawn with no path of
// their own, their alpha modes seen in the pixels.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "gltf_builder.h"
#include "retained/model_file_loading.h"
#include "scene_rig.h"

namespace gltf_test {
namespace {

constexpr std::uint32_t Blue = 0x0000FF;

std::string WriteTemp(const std::string& name, const Bytes& bytes) {
    const std::string path = ::testing::TempDir() + "gltf_drawing_" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
}

// A square of side 4 facing the camera once loaded (glTF's +z is the engine's -z).
Bytes Square(const std::string& material, bool textured) {
    GltfBuilder b;
    const int positions = b.Floats({-2, -2, 0, 2, -2, 0, 2, 2, 0, -2, 2, 0}, "VEC3");
    const int uv = b.Floats({0, 1, 1, 1, 1, 0, 0, 0}, "VEC2");
    b.Add("materials", material);
    if (textured) {
        // Left texel red and nearly clear, right texel green and opaque.
        const Bytes png = Png(2, 1, {255, 0, 0, 10, 0, 255, 0, 255});
        b.Add("images", "{\"uri\":\"data:image/png;base64," + Base64(png) + "\"}");
        b.Add("textures", "{\"source\":0}");
    }
    SceneOfMesh(b, b.Mesh(positions, -1, uv, b.Indices({0, 1, 2, 0, 2, 3}), 0));
    return b.Glb();
}

class GltfDrawingTest : public ::testing::Test {
protected:
    IDirect3DRMMeshBuilder2* Load(const std::string& path, HRESULT expected = D3DRM_OK) {
        IDirect3DRMMeshBuilder2* builder = nullptr;
        EXPECT_EQ(rig.d3drm2->CreateMeshBuilder(&builder), D3DRM_OK);
        rig.owned.push_back(builder);
        EXPECT_EQ(builder->Load(const_cast<char*>(path.c_str()), nullptr, D3DRMLOAD_FROMFILE, nullptr, nullptr),
                  expected);
        return builder;
    }

    // As the saver draws: blended, sorted transparency, its lights, a blue background.
    void Draw(IDirect3DRMMeshBuilder2* builder) {
        ASSERT_EQ(rig.device->SetRenderMode(D3DRMRENDERMODE_BLENDEDTRANSPARENCY | D3DRMRENDERMODE_SORTEDTRANSPARENCY),
                  D3DRM_OK);
        rig.scene->SetSceneBackgroundRGB(0, 0, 1);
        rig.AddLights();
        rig.AddChildFrame(0, 0, 5)->AddVisual(builder);
        rig.Frame();
    }

    rigs::SceneRig rig{32, 32};
};

TEST_F(GltfDrawingTest, MaskedTexelsAreNotDrawn) {
    IDirect3DRMMeshBuilder2* builder =
        Load(WriteTemp("mask.glb", Square("{\"pbrMetallicRoughness\":{\"baseColorTexture\":{\"index\":0}},"
                                          "\"alphaMode\":\"MASK\"}",
                                          true)));
    EXPECT_EQ(builder->GetFaceCount(), 2);
    Draw(builder);
    EXPECT_EQ(rig.window.Pixel(12, 16), Blue);
    const std::uint32_t right = rig.window.Pixel(20, 16);
    EXPECT_GT(right >> 8 & 0xFF, 0x40u);
    EXPECT_EQ(right & 0xFF, 0u);
}

TEST_F(GltfDrawingTest, OpaqueTexturesIgnoreTheTexelsAlpha) {
    Draw(
        Load(WriteTemp("opaque.glb", Square("{\"pbrMetallicRoughness\":{\"baseColorTexture\":{\"index\":0}}}", true))));
    const std::uint32_t left = rig.window.Pixel(12, 16);
    EXPECT_GT(left >> 16 & 0xFF, 0x40u);
    EXPECT_EQ(left & 0xFF, 0u);
}

TEST_F(GltfDrawingTest, BlendedFacesShowTheBackgroundThrough) {
    Draw(Load(WriteTemp("blend.glb", Square("{\"pbrMetallicRoughness\":{\"baseColorFactor\":[1,0,0,0.5]},"
                                            "\"alphaMode\":\"BLEND\"}",
                                            false))));
    const std::uint32_t centre = rig.window.Pixel(16, 16);
    EXPECT_GT(centre >> 16 & 0xFF, 0x20u);
    EXPECT_GT(centre & 0xFF, 0x40u);
    EXPECT_LT(centre & 0xFF, 0xF0u);
}

TEST_F(GltfDrawingTest, FrontFacesTheCameraAndBackFacesAreCulled) {
    const std::string red = "{\"pbrMetallicRoughness\":{\"baseColorFactor\":[1,0,0,1]}}";
    Draw(Load(WriteTemp("front.glb", Square(red, false))));
    EXPECT_NE(rig.window.Pixel(16, 16), Blue);

    // The same square turned half round about y shows its back: nothing is drawn.
    GltfBuilder b;
    b.Add("materials", red);
    SceneOfMesh(b,
                b.Mesh(b.Floats({-2, -2, 0, 2, -2, 0, 2, 2, 0, -2, -2, 0, 2, 2, 0, -2, 2, 0}, "VEC3"), -1, -1, -1, 0),
                "\"rotation\":[0,1,0,0]");
    rigs::SceneRig other{32, 32};
    IDirect3DRMMeshBuilder2* builder = nullptr;
    ASSERT_EQ(other.d3drm2->CreateMeshBuilder(&builder), D3DRM_OK);
    other.owned.push_back(builder);
    const std::string path = WriteTemp("back.glb", b.Glb());
    ASSERT_EQ(builder->Load(const_cast<char*>(path.c_str()), nullptr, D3DRMLOAD_FROMFILE, nullptr, nullptr), D3DRM_OK);
    other.scene->SetSceneBackgroundRGB(0, 0, 1);
    other.AddLights();
    other.AddChildFrame(0, 0, 5)->AddVisual(builder);
    other.Frame();
    EXPECT_EQ(other.window.Pixel(16, 16), Blue);
}

TEST(GltfModelFileLoading, ToldFromXByContentWithCountsAndProblemsReported) {
    // A .glb under a .x name is still glTF.
    GltfBuilder b;
    const int positions = b.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}, "VEC3");
    SceneOfMesh(b, b.Mesh(positions, -1, -1, b.Indices({0, 1, 2, 0, 3, 1})));
    const std::string misnamed = WriteTemp("car.x", b.Glb());
    varnoka::rm::MeshData data;
    varnoka::rm::ModelLoadReport report;
    ASSERT_EQ(varnoka::rm::LoadModelFile(misnamed.c_str(), nullptr, nullptr, data, &report), D3DRM_OK);
    EXPECT_TRUE(report.gltf);
    EXPECT_EQ(report.counts.vertices, 4u);
    EXPECT_EQ(report.counts.faces, 2u);
    EXPECT_EQ(report.counts.materials, 1u);
    EXPECT_EQ(report.nodes, 1u);
    EXPECT_EQ(data.faces.size(), 2u);
    ASSERT_EQ(data.faces[0].normals.size(), 3u);
    EXPECT_TRUE(report.problem.empty());

    GltfBuilder draco = b;
    draco.TopLevel("\"extensionsRequired\":[\"KHR_draco_mesh_compression\"]");
    const std::string compressed = WriteTemp("draco.gltf", [&] {
        const std::string text = "\n  " + draco.Gltf();
        return Bytes(text.begin(), text.end());
    }());
    EXPECT_EQ(varnoka::rm::LoadModelFile(compressed.c_str(), nullptr, nullptr, data, &report), D3DRMERR_BADFILE);
    EXPECT_EQ(report.problem, "The car is compressed with Draco, which Varnoka does not read.");
    EXPECT_TRUE(data.faces.empty());

    // A .x failure keeps its code's own text.
    const std::string brokenX = WriteTemp("broken.x", Bytes{'x', 'o', 'f', ' '});
    EXPECT_EQ(varnoka::rm::LoadModelFile(brokenX.c_str(), nullptr, nullptr, data, &report), D3DRMERR_BADFILE);
    EXPECT_TRUE(report.problem.empty());
    EXPECT_EQ(
        varnoka::rm::LoadModelFile((::testing::TempDir() + "no_such_car.glb").c_str(), nullptr, nullptr, data, &report),
        D3DRMERR_FILENOTFOUND);
}

TEST(GltfModelFileLoading, HandWrittenGltfTextLoads) {
    varnoka::rm::MeshData data;
    varnoka::rm::ModelLoadReport report;
    const std::string path = std::string(VARNOKA_TEST_DATA) + "/gltf/two_boxes.gltf";
    ASSERT_EQ(varnoka::rm::LoadModelFile(path.c_str(), nullptr, nullptr, data, &report), D3DRM_OK) << report.problem;
    EXPECT_EQ(report.counts.faces, 24u);
    EXPECT_EQ(report.nodes, 3u);
    EXPECT_EQ(report.meshes, 1u);
}

}  // namespace
}  // namespace gltf_test
