// The one place the engine meets the real window system: Update copies the frame into the
// clipper's window through GDI, and the window's pixels read back as drawn.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <vector>

#include "retained/d3drm_api.h"
#include "retained/mesh_data.h"
#include "test_meshes.h"

namespace {

constexpr int Width = 64;
constexpr int Height = 48;

HWND MakeWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VarnokaEngineTestWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "Engine test", WS_POPUP | WS_VISIBLE, 0, 0,
                                  Width, Height, nullptr, nullptr, windowClass.hInstance, nullptr);
    UpdateWindow(window);
    return window;
}

// The engine's objects and a clipper bound to a window, released at the end.
struct Engine {
    explicit Engine(HWND window) {
        EXPECT_EQ(Direct3DRMCreate(&d3drm), D3DRM_OK);
        EXPECT_EQ(d3drm->QueryInterface(IID_IDirect3DRM2, reinterpret_cast<void**>(&d3drm2)), S_OK);
        EXPECT_EQ(DirectDrawCreateClipper(0, &clipper, nullptr), DD_OK);
        EXPECT_EQ(clipper->SetHWnd(0, window), DD_OK);
    }
    ~Engine() {
        clipper->Release();
        d3drm2->Release();
        d3drm->Release();
    }
    IDirect3DRM* d3drm = nullptr;
    IDirect3DRM2* d3drm2 = nullptr;
    IDirectDrawClipper* clipper = nullptr;
};

// A frame as the saver draws one; GDI has drawn it into the window when this returns.
HRESULT DrawFrame(IDirect3DRMViewport* viewport, IDirect3DRMFrame2* scene, IDirect3DRMDevice2* device) {
    HRESULT result = viewport->Clear();
    if (result == D3DRM_OK) result = viewport->Render(scene);
    if (result == D3DRM_OK) result = device->Update();
    GdiFlush();
    return result;
}

bool ReadGolden(const char* path, std::vector<COLORREF>& pixels) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    int width = 0, height = 0, maxValue = 0;
    const bool header = std::fscanf(file, "P6 %d %d %d", &width, &height, &maxValue) == 3 && width == Width &&
                        height == Height && maxValue == 255 && std::fgetc(file) != EOF;
    std::vector<unsigned char> bytes(Width * Height * 3);
    const bool body = header && std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    for (std::size_t i = 0; body && i < bytes.size(); i += 3)
        pixels.push_back(RGB(bytes[i], bytes[i + 1], bytes[i + 2]));
    return body;
}

TEST(GdiPresenter, UpdateShowsTheFrameInTheWindow) {
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    Engine engine(window);
    IDirect3DRM2* d3drm2 = engine.d3drm2;
    IDirect3DRMDevice2* device = nullptr;
    ASSERT_EQ(d3drm2->CreateDeviceFromClipper(engine.clipper, nullptr, Width, Height, &device), D3DRM_OK);
    device->SetQuality(D3DRMLIGHT_OFF | D3DRMFILL_SOLID | D3DRMSHADE_FLAT);
    IDirect3DRMFrame2* scene = nullptr;
    IDirect3DRMFrame2* camera = nullptr;
    IDirect3DRMFrame2* model = nullptr;
    d3drm2->CreateFrame(nullptr, &scene);
    d3drm2->CreateFrame(scene, &camera);
    d3drm2->CreateFrame(scene, &model);
    model->SetPosition(scene, 0, 0, 5);
    scene->SetSceneBackgroundRGB(1.0f, 0.0f, 0.0f);
    IDirect3DRMMeshBuilder2* builder = nullptr;
    d3drm2->CreateMeshBuilder(&builder);
    ASSERT_EQ(varnoka::rm::AssignMeshData(builder, rigs::SquareMesh(2, {0, 1, 0})), D3DRM_OK);
    model->AddVisual(builder);
    IDirect3DRMViewport* viewport = nullptr;
    ASSERT_EQ(d3drm2->CreateViewport(device, camera, 0, 0, Width, Height, &viewport), D3DRM_OK);

    ASSERT_EQ(DrawFrame(viewport, scene, device), D3DRM_OK);

    HDC dc = GetDC(window);
    const COLORREF corner = GetPixel(dc, 2, 2);
    const COLORREF middle = GetPixel(dc, Width / 2, Height / 2);
    ReleaseDC(window, dc);
    EXPECT_EQ(corner, RGB(255, 0, 0));
    EXPECT_EQ(middle, RGB(0, 255, 0));

    for (IUnknown* object : std::initializer_list<IUnknown*>{viewport, builder, model, camera, scene, device})
        object->Release();
    DestroyWindow(window);
}

TEST(GdiPresenter, DrawsTheSamePixelsAsTheNativeBuild) {
    std::vector<COLORREF> golden;
    ASSERT_TRUE(ReadGolden(VARNOKA_GOLDEN_DIR "/rgb_solid_gouraud.ppm", golden));
    HWND window = MakeWindow();
    Engine engine(window);
    IDirect3DRM2* d3drm2 = engine.d3drm2;
    IDirectDrawClipper* clipper = engine.clipper;
    IDirect3DRMDevice2* device = nullptr;
    GUID rgb = IID_IDirect3DRGBDevice;
    ASSERT_EQ(d3drm2->CreateDeviceFromClipper(clipper, &rgb, Width, Height, &device), D3DRM_OK);
    device->SetDither(FALSE);
    device->SetQuality(D3DRMFILL_SOLID | D3DRMSHADE_GOURAUD | D3DRMLIGHT_ON);
    IDirect3DRMFrame2 *scene = nullptr, *camera = nullptr, *lightFrame = nullptr, *model = nullptr;
    d3drm2->CreateFrame(nullptr, &scene);
    d3drm2->CreateFrame(scene, &camera);
    IDirect3DRMViewport* viewport = nullptr;
    d3drm2->CreateViewport(device, camera, 0, 0, Width, Height, &viewport);
    IDirect3DRMLight *ambient = nullptr, *sun = nullptr;
    d3drm2->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.1f, 0.1f, 0.1f, &ambient);
    d3drm2->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 1.0f, 1.0f, 1.0f, &sun);
    d3drm2->CreateFrame(scene, &lightFrame);
    lightFrame->SetPosition(scene, 0, 5, -5);
    lightFrame->SetOrientation(scene, 0, -1, 1, 0, 1, 0);
    lightFrame->AddLight(sun);
    scene->AddLight(ambient);
    scene->SetSceneBackgroundRGB(0.0f, 0.0f, 0.25f);
    d3drm2->CreateFrame(scene, &model);
    model->SetPosition(scene, 0, 0, 6);
    model->SetOrientation(scene, 0.6f, -0.5f, 1.0f, 0.0f, 1.0f, 0.0f);
    IDirect3DRMMeshBuilder2* builder = nullptr;
    d3drm2->CreateMeshBuilder(&builder);
    ASSERT_EQ(varnoka::rm::AssignMeshData(builder, rigs::GoldenBoxMesh()), D3DRM_OK);
    model->AddVisual(builder);
    scene->Move(1.0f);
    ASSERT_EQ(DrawFrame(viewport, scene, device), D3DRM_OK);

    HDC dc = GetDC(window);
    int different = 0;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) different += GetPixel(dc, x, y) != golden[y * Width + x];
    ReleaseDC(window, dc);
    EXPECT_EQ(different, 0);

    for (IUnknown* object :
         std::initializer_list<IUnknown*>{viewport, builder, model, lightFrame, ambient, sun, camera, scene, device})
        object->Release();
    DestroyWindow(window);
}

// A frame nobody can see (the window not shown, or off the screen) is no failure; a window that
// is gone is.
TEST(GdiPresenter, UpdateFailsOnlyWhenTheWindowIsGone) {
    HWND window = CreateWindowExA(0, "STATIC", "Hidden", WS_POPUP, -4000, -4000, Width, Height, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    Engine engine(window);
    IDirect3DRM2* d3drm2 = engine.d3drm2;
    IDirectDrawClipper* clipper = engine.clipper;
    IDirect3DRMDevice2* device = nullptr;
    ASSERT_EQ(d3drm2->CreateDeviceFromClipper(clipper, nullptr, Width, Height, &device), D3DRM_OK);
    EXPECT_EQ(device->Update(), D3DRM_OK);
    DestroyWindow(window);
    EXPECT_NE(device->Update(), D3DRM_OK);
    device->Release();
}

}  // namespace
