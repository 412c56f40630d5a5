#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "failing_allocator.h"
#include "scene_rig.h"

#include "retained/compiled_mesh.h"
#include "retained/frame.h"

namespace {

using varnoka::rm::AsFrame;

// Runs call with its first allocation failing, then its second, and so on, until a run meets no
// failure, which must succeed. Each run that met one must say outOfMemory and leave what
// `unchanged` looks at as it was.
template <class Call, class Unchanged>
void FailEachAllocationIn(HRESULT outOfMemory, Call call, Unchanged unchanged) {
    const bool failedBefore = ::testing::Test::HasFailure();
    for (long n = 1;; ++n) {
        allocation::FailNth(n);
        const HRESULT result = call();
        const bool failed = allocation::Failed();
        allocation::FailNth(0);
        if (!failed) {
            EXPECT_EQ(result, D3DRM_OK) << "with no allocation failing";
            return;
        }
        EXPECT_EQ(result, outOfMemory) << "with allocation " << n << " failing";
        unchanged();
        if (::testing::Test::HasFailure() && !failedBefore) return;  // one report is enough
    }
}

// A made object is handed out whole or not at all.
template <class Interface, class Make>
void ExpectMadeWholeOrNotAtAll(HRESULT outOfMemory, Make make) {
    Interface* made = nullptr;
    FailEachAllocationIn(
        outOfMemory, [&] { return make(&made); }, [&] { EXPECT_EQ(made, nullptr); });
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Release(), 0u);
}

TEST(OutOfMemory, ObjectsAreMadeWholeOrNotAtAll) {
    rigs::SceneRig rig(16, 16);
    ExpectMadeWholeOrNotAtAll<IDirect3DRM>(D3DRMERR_BADALLOC, [](IDirect3DRM** out) { return Direct3DRMCreate(out); });
    ExpectMadeWholeOrNotAtAll<IDirectDrawClipper>(
        E_OUTOFMEMORY, [](IDirectDrawClipper** out) { return DirectDrawCreateClipper(0, out, nullptr); });
    ExpectMadeWholeOrNotAtAll<IDirectDraw>(E_OUTOFMEMORY,
                                           [](IDirectDraw** out) { return DirectDrawCreate(nullptr, out, nullptr); });
    ExpectMadeWholeOrNotAtAll<IDirect3DRMLight>(D3DRMERR_BADALLOC, [&](IDirect3DRMLight** out) {
        return rig.d3drm2->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 1, 1, 1, out);
    });
    ExpectMadeWholeOrNotAtAll<IDirect3DRMMeshBuilder2>(
        D3DRMERR_BADALLOC, [&](IDirect3DRMMeshBuilder2** out) { return rig.d3drm2->CreateMeshBuilder(out); });
    ExpectMadeWholeOrNotAtAll<IDirect3DRMProgressiveMesh>(
        D3DRMERR_BADALLOC, [&](IDirect3DRMProgressiveMesh** out) { return rig.d3drm2->CreateProgressiveMesh(out); });
    ExpectMadeWholeOrNotAtAll<IDirect3DRMDevice2>(D3DRMERR_BADALLOC, [&](IDirect3DRMDevice2** out) {
        return rig.d3drm2->CreateDeviceFromClipper(rig.clipper, nullptr, 64, 48, out);
    });
    ExpectMadeWholeOrNotAtAll<IDirect3DRMViewport>(D3DRMERR_BADALLOC, [&](IDirect3DRMViewport** out) {
        return rig.d3drm2->CreateViewport(rig.device, rig.camera, 0, 0, 8, 8, out);
    });
    const std::uint8_t pixels[8] = {1, 2, 3, 255, 4, 5, 6, 255};
    ExpectMadeWholeOrNotAtAll<IDirect3DRMTexture>(D3DRMERR_BADALLOC, [&](IDirect3DRMTexture** out) {
        return varnoka::rm::CreateTextureFromRGBA(2, 1, pixels, sizeof pixels, out);
    });
}

TEST(OutOfMemory, AFrameKeepsWhatItCarries) {
    rigs::SceneRig rig(16, 16);
    IDirect3DRMFrame2* parent = rig.AddChildFrame(0, 0, 5);
    IDirect3DRMFrame2* formerParent = rig.AddChildFrame(0, 0, 0);
    const varnoka::rm::Frame& held = *AsFrame(parent);

    // A new child frame, made on its parent.
    IDirect3DRMFrame2* child = nullptr;
    FailEachAllocationIn(
        D3DRMERR_BADALLOC, [&] { return rig.d3drm2->CreateFrame(formerParent, &child); },
        [&] {
            EXPECT_EQ(child, nullptr);
            EXPECT_TRUE(AsFrame(formerParent)->Children().empty());
        });
    ASSERT_NE(child, nullptr);
    rig.owned.push_back(child);

    // A child that moves stays with its former parent until it has its place in the new one.
    FailEachAllocationIn(
        D3DRMERR_BADALLOC, [&] { return parent->AddChild(child); },
        [&] {
            EXPECT_TRUE(held.Children().empty());
            EXPECT_EQ(AsFrame(child)->Parent(), AsFrame(formerParent));
            EXPECT_EQ(AsFrame(formerParent)->Children().size(), 1u);
        });
    EXPECT_EQ(AsFrame(child)->Parent(), &held);
    EXPECT_TRUE(AsFrame(formerParent)->Children().empty());

    IDirect3DRMLight* light = nullptr;
    ASSERT_EQ(rig.d3drm2->CreateLightRGB(D3DRMLIGHT_AMBIENT, 1, 1, 1, &light), D3DRM_OK);
    rig.owned.push_back(light);
    FailEachAllocationIn(
        D3DRMERR_BADALLOC, [&] { return parent->AddLight(light); }, [&] { EXPECT_TRUE(held.Lights().empty()); });
    EXPECT_EQ(held.Lights().size(), 1u);

    IDirect3DRMMeshBuilder2* builder = rigs::MakeBuilder(rig, rigs::BoxMesh(1, {1, 1, 1}));
    FailEachAllocationIn(
        D3DRMERR_BADALLOC, [&] { return parent->AddVisual(builder); }, [&] { EXPECT_TRUE(held.Visuals().empty()); });
    EXPECT_EQ(held.Visuals().size(), 1u);
}

struct TextureFolder {
    IDirect3DRM* d3drm;
    std::string path;
};

HRESULT LoadFromFolder(char* name, void* argument, LPDIRECT3DRMTEXTURE* texture) {
    const auto* folder = static_cast<const TextureFolder*>(argument);
    char path[1024];
    std::snprintf(path, sizeof path, "%s/%s", folder->path.c_str(), name);
    return folder->d3drm->LoadTexture(path, texture);
}

TEST(OutOfMemory, ALoadLeavesTheBuilderAWholeMeshAndATextureIsNotTakenForMissing) {
    rigs::SceneRig rig(16, 16);
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "out_of_memory_load";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "paint.ppm", std::ios::binary) << "P6\n2 1\n255\n" << std::string("\xff\0\0\0\xff\0", 6);
    std::ofstream(folder / "triangle.x") << "xof 0303txt 0032\n"
                                            "Mesh {\n"
                                            "  3; 0.0; 0.0; 0.0;, 1.0; 0.0; 0.0;, 0.0; 1.0; 0.0;;\n"
                                            "  1; 3; 0, 1, 2;;\n"
                                            "  MeshTextureCoords { 3; 0.0; 0.0;, 1.0; 0.0;, 0.0; 1.0;; }\n"
                                            "  MeshMaterialList { 1; 1; 0;;\n"
                                            "    Material { 1.0; 1.0; 1.0; 1.0;; 0.0; 0.0; 0.0; 0.0;; 0.0; 0.0; 0.0;;\n"
                                            "      TextureFilename { \"paint.ppm\"; } }\n"
                                            "  }\n"
                                            "}\n";
    const std::string model = (folder / "triangle.x").string();
    const std::string texture = (folder / "paint.ppm").string();

    ExpectMadeWholeOrNotAtAll<IDirect3DRMTexture>(
        D3DRMERR_BADALLOC, [&](IDirect3DRMTexture** out) { return rig.d3drm->LoadTexture(texture.c_str(), out); });

    IDirect3DRMMeshBuilder2* builder = rigs::MakeBuilder(rig, rigs::BoxMesh(1, {1, 1, 1}));
    TextureFolder textures{rig.d3drm, folder.string()};
    FailEachAllocationIn(
        D3DRMERR_BADALLOC,
        [&] {
            return builder->Load(const_cast<char*>(model.c_str()), nullptr, D3DRMLOAD_FROMFILE, LoadFromFolder,
                                 &textures);
        },
        [&] {
            const int faces = builder->GetFaceCount();
            EXPECT_TRUE(faces == 0 || faces == 6) << faces << " faces";
        });
    EXPECT_EQ(builder->GetFaceCount(), 1);
    const varnoka::rm::CompiledMesh& mesh = varnoka::rm::AsMeshVisual(builder)->Mesh();
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_NE(mesh.materials[0].texture, nullptr);

    const varnoka::rm::MeshData square = rigs::SquareMesh(1, {1, 1, 1});
    FailEachAllocationIn(
        D3DRMERR_BADALLOC, [&] { return varnoka::rm::AssignMeshData(builder, square); },
        [&] { EXPECT_EQ(builder->GetFaceCount(), 1); });
    EXPECT_EQ(builder->GetFaceCount(), 1);  // one square
    std::filesystem::remove_all(folder);
}

TEST(OutOfMemory, DrawingAndPickingFailOneCallAndThenGoOnAsEver) {
    const auto buildScene = [](rigs::SceneRig& rig) {
        rig.AddLights();
        rig.AddChildFrame(0, 0, 5)->AddVisual(rigs::MakeBuilder(rig, rigs::BoxMesh(2, {1, 0.5f, 0})));
    };
    rigs::SceneRig plain(32, 24);
    buildScene(plain);
    ASSERT_EQ(plain.viewport->Clear(), D3DRM_OK);
    ASSERT_EQ(plain.viewport->Render(plain.scene), D3DRM_OK);
    ASSERT_EQ(plain.device->Update(), D3DRM_OK);

    rigs::SceneRig rig(32, 24);
    buildScene(rig);
    FailEachAllocationIn(
        D3DRMERR_BADALLOC,
        [&] {
            rig.viewport->Clear();
            return rig.viewport->Render(rig.scene);
        },
        [] {});
    FailEachAllocationIn(
        D3DRMERR_BADALLOC, [&] { return rig.device->Update(); },
        [&] {
            EXPECT_EQ(rig.window.FramesShown(), 0);
            EXPECT_EQ(rig.window.Width(), 0);
        });
    EXPECT_EQ(rig.window.FramesShown(), 1);
    EXPECT_EQ(rigs::CountDifferentPixels(rig.window.Pixels(), plain.window.Pixels()), 0);

    IDirect3DRMPickedArray* picked = nullptr;
    FailEachAllocationIn(
        D3DRMERR_BADALLOC, [&] { return rig.viewport->Pick(16, 12, &picked); }, [&] { EXPECT_EQ(picked, nullptr); });
    ASSERT_NE(picked, nullptr);
    EXPECT_EQ(picked->GetSize(), 1u);
    picked->Release();
}

}  // namespace
