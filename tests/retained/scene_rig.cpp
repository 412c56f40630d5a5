#include <gtest/gtest.h>

#include "scene_rig.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "scene/build_scene.h"
#include "scene/render_frame.h"

namespace rigs {

using varnoka::rm::MeshData;

SceneRig::SceneRig(int width, int height, const GUID* deviceGuid) {
    EXPECT_EQ(Direct3DRMCreate(&d3drm), D3DRM_OK);
    EXPECT_EQ(d3drm->QueryInterface(IID_IDirect3DRM2, reinterpret_cast<void**>(&d3drm2)), S_OK);
    EXPECT_EQ(DirectDrawCreateClipper(0, &clipper, nullptr), DD_OK);
    EXPECT_EQ(clipper->SetHWnd(0, window.Handle()), DD_OK);
    GUID guid = deviceGuid ? *deviceGuid : IID_IDirect3DRGBDevice;
    EXPECT_EQ(d3drm2->CreateDeviceFromClipper(clipper, &guid, width, height, &device), D3DRM_OK);
    EXPECT_EQ(d3drm2->CreateFrame(nullptr, &scene), D3DRM_OK);
    EXPECT_EQ(d3drm2->CreateFrame(scene, &camera), D3DRM_OK);
    EXPECT_EQ(d3drm2->CreateViewport(device, camera, 0, 0, device->GetWidth(), device->GetHeight(), &viewport),
              D3DRM_OK);
    device->SetQuality(D3DRMRENDER_GOURAUD);
    device->SetDither(FALSE);
}

SceneRig::~SceneRig() {
    for (IUnknown* object : owned) object->Release();
    viewport->Release();
    camera->Release();
    scene->Release();
    device->Release();
    clipper->Release();
    d3drm2->Release();
    d3drm->Release();
}

void SceneRig::Frame() {
    ViewerContext context{};
    context.scene = scene;
    context.device2 = device;
    context.viewport = viewport;
    ASSERT_EQ(RenderFrame(&context, 1.0f), 1);
}

IDirect3DRMFrame2* SceneRig::AddChildFrame(float x, float y, float z) {
    IDirect3DRMFrame2* frame = nullptr;
    EXPECT_EQ(d3drm2->CreateFrame(scene, &frame), D3DRM_OK);
    frame->SetPosition(scene, x, y, z);
    owned.push_back(frame);
    return frame;
}

void SceneRig::AddLights() { ASSERT_EQ(AddSaverLights(d3drm2, scene), D3DRM_OK); }

IDirect3DRMMeshBuilder2* MakeBuilder(SceneRig& rig, const MeshData& data) {
    IDirect3DRMMeshBuilder2* builder = nullptr;
    EXPECT_EQ(rig.d3drm2->CreateMeshBuilder(&builder), D3DRM_OK);
    EXPECT_EQ(varnoka::rm::AssignMeshData(builder, data), D3DRM_OK);
    rig.owned.push_back(builder);
    return builder;
}

IDirect3DRMTexture* MakeChecker(SceneRig& rig, int cells, int cell) {
    IDirect3DRMTexture* texture = nullptr;
    const auto checker = [cell](int x, int y, std::uint8_t* rgba) {
        const bool red = ((x / cell) + (y / cell)) % 2 == 0;
        rgba[0] = 255;
        rgba[1] = red ? 0 : 255;
        rgba[2] = red ? 0 : 255;
        rgba[3] = 255;
    };
    EXPECT_EQ(MakeTexture(cells * cell, checker, &texture), D3DRM_OK);
    rig.owned.push_back(texture);
    return texture;
}

namespace {

std::string GoldenPath(const std::string& name) { return std::string(VARNOKA_GOLDEN_DIR) + "/" + name + ".ppm"; }

bool ReadPpm(const std::string& path, int& width, int& height, std::vector<std::uint32_t>& pixels) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    if (!(in >> magic >> width >> height >> maxValue) || magic != "P6" || maxValue != 255) return false;
    in.get();
    std::vector<unsigned char> bytes(static_cast<std::size_t>(width) * height * 3);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return false;
    pixels.resize(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = (std::uint32_t{bytes[i * 3]} << 16) | (std::uint32_t{bytes[i * 3 + 1]} << 8) | bytes[i * 3 + 2];
    return true;
}

void WritePpm(const std::string& path, int width, int height, const std::vector<std::uint32_t>& pixels) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    for (std::uint32_t p : pixels) {
        const char rgb[3] = {static_cast<char>((p >> 16) & 0xFF), static_cast<char>((p >> 8) & 0xFF),
                             static_cast<char>(p & 0xFF)};
        out.write(rgb, 3);
    }
}

}  // namespace

::testing::AssertionResult MatchesGolden(const varnoka::rm::MemoryWindow& window, const std::string& name,
                                         int tolerance, int outliers) {
    const std::vector<std::uint32_t> actual = window.Pixels();
    if (std::getenv("VARNOKA_UPDATE_GOLDEN") != nullptr) {
        WritePpm(GoldenPath(name), window.Width(), window.Height(), actual);
        return ::testing::AssertionSuccess();
    }
    int width = 0, height = 0;
    std::vector<std::uint32_t> expected;
    if (!ReadPpm(GoldenPath(name), width, height, expected))
        return ::testing::AssertionFailure() << "no golden image " << GoldenPath(name);
    if (width != window.Width() || height != window.Height())
        return ::testing::AssertionFailure()
               << "size " << window.Width() << "x" << window.Height() << " vs " << width << "x" << height;
    int bad = 0;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        for (int shift = 0; shift <= 16; shift += 8) {
            const int a = static_cast<int>((actual[i] >> shift) & 0xFF);
            const int e = static_cast<int>((expected[i] >> shift) & 0xFF);
            if (std::abs(a - e) > tolerance) {
                ++bad;
                break;
            }
        }
    }
    if (bad > outliers) {
        WritePpm(GoldenPath(name) + ".actual.ppm", window.Width(), window.Height(), actual);
        return ::testing::AssertionFailure() << bad << " pixels differ from " << name;
    }
    return ::testing::AssertionSuccess();
}

int CountDifferentPixels(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    int count = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i];
    return count;
}

int CountPixelsNot(const varnoka::rm::MemoryWindow& window, std::uint32_t color) {
    int count = 0;
    for (std::uint32_t p : window.Pixels()) count += p != color;
    return count;
}

}  // namespace rigs
