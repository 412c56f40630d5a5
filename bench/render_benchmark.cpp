// Frame time of the engine drawing a car-sized textured, Gouraud-lit model, and one of our own
// cars: Move, Clear, Render and Update into memory, as the saver's render thread does each pass.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "procedural_model.h"
#include "retained/d3drm_api.h"
#include "retained/memory_window.h"
#include "summary_reporter.h"
#include "tools/xrender/texture_folder.h"

namespace {

struct BenchScene {
    BenchScene(int width, int height, D3DRMTEXTUREQUALITY filter, float distance) {
        Direct3DRMCreate(&d3drm);
        d3drm->QueryInterface(IID_IDirect3DRM2, reinterpret_cast<void**>(&d3drm2));
        DirectDrawCreateClipper(0, &clipper, nullptr);
        clipper->SetHWnd(0, window.Handle());
        GUID rgb = IID_IDirect3DRGBDevice;
        d3drm2->CreateDeviceFromClipper(clipper, &rgb, width, height, &device);
        device->SetQuality(D3DRMRENDER_GOURAUD);
        device->SetDither(TRUE);
        device->SetTextureQuality(filter);
        d3drm2->CreateFrame(nullptr, &scene);
        d3drm2->CreateFrame(scene, &camera);
        d3drm2->CreateViewport(device, camera, 0, 0, width, height, &viewport);
        viewport->SetBack(400.0f);

        IDirect3DRMLight* ambient = nullptr;
        IDirect3DRMLight* sun = nullptr;
        d3drm2->CreateLightRGB(D3DRMLIGHT_AMBIENT, 0.1f, 0.1f, 0.1f, &ambient);
        d3drm2->CreateLightRGB(D3DRMLIGHT_DIRECTIONAL, 1, 1, 1, &sun);
        scene->AddLight(ambient);
        IDirect3DRMFrame2* lightFrame = nullptr;
        d3drm2->CreateFrame(scene, &lightFrame);
        lightFrame->SetOrientation(scene, 0, -1, 1, 0, 1, 0);
        lightFrame->AddLight(sun);
        ambient->Release();
        sun->Release();
        lightFrame->Release();

        d3drm2->CreateMeshBuilder(&builder);
        d3drm2->CreateFrame(scene, &model);
        model->SetPosition(scene, 0, 0, distance);
        model->SetRotation(scene, 0, 1, 0, -0.02f);
        model->AddVisual(builder);
    }

    void MakeEllipsoid(int rings, int segments) {
        IDirect3DRMTexture* texture = bench::StripedTexture();
        varnoka::rm::AssignMeshData(builder, bench::Ellipsoid(rings, segments, {3.0f, 2.0f, 3.0f}, texture));
        texture->Release();
        triangles = builder->GetFaceCount();
    }

    // Textures come from the model's folder, as in the saver's Windows directory.
    bool LoadModel(const std::string& folder, const std::string& name) {
        TextureFolder textures{d3drm, folder};
        const std::string path = folder + "/" + name;
        const HRESULT result = builder->Load(const_cast<char*>(path.c_str()), nullptr, D3DRMLOAD_FROMFILE,
                                             LoadTextureBesideModel, &textures);
        triangles = builder->GetFaceCount();
        return result == D3DRM_OK;
    }

    ~BenchScene() {
        viewport->Release();
        model->Release();
        builder->Release();
        camera->Release();
        scene->Release();
        device->Release();
        clipper->Release();
        d3drm2->Release();
        d3drm->Release();
    }

    void Frame() {
        scene->Move(1.0f);
        viewport->Clear();
        viewport->Render(scene);
        device->Update();
    }

    int CoveredPixels() const {
        int covered = 0;
        for (std::uint32_t p : window.Pixels()) covered += p != 0;
        return covered;
    }

    varnoka::rm::MemoryWindow window;
    IDirect3DRM* d3drm = nullptr;
    IDirect3DRM2* d3drm2 = nullptr;
    IDirectDrawClipper* clipper = nullptr;
    IDirect3DRMDevice2* device = nullptr;
    IDirect3DRMFrame2* scene = nullptr;
    IDirect3DRMFrame2* camera = nullptr;
    IDirect3DRMFrame2* model = nullptr;
    IDirect3DRMMeshBuilder2* builder = nullptr;
    IDirect3DRMViewport* viewport = nullptr;
    int triangles = 0;
};

void MeasureFrames(benchmark::State& state, BenchScene& scene, int width, int height) {
    for (int i = 0; i < 3; ++i) scene.Frame();  // buffers grow to the scene here
    const std::uint64_t allocationsBefore = bench::AllocationCount();
    std::int64_t frames = 0;
    for (auto _ : state) {
        scene.Frame();
        ++frames;
    }
    const std::uint64_t allocations = bench::AllocationCount() - allocationsBefore;
    const double covered = scene.CoveredPixels();
    state.counters["triangles"] = scene.triangles;
    state.counters["coverage"] = covered / (static_cast<double>(width) * height);
    state.counters["triangles_per_s"] =
        benchmark::Counter(static_cast<double>(scene.triangles) * frames, benchmark::Counter::kIsRate);
    state.counters["pixels_per_s"] = benchmark::Counter(covered * frames, benchmark::Counter::kIsRate);
    state.counters["allocations_per_frame"] = frames ? static_cast<double>(allocations) / frames : 0.0;
}

void RenderFrames(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const D3DRMTEXTUREQUALITY filter = state.range(4) ? D3DRMTEXTURE_LINEAR : D3DRMTEXTURE_NEAREST;
    BenchScene scene(width, height, filter, 10);
    scene.MakeEllipsoid(static_cast<int>(state.range(2)), static_cast<int>(state.range(3)));
    MeasureFrames(state, scene, width, height);
}

// One of the cars the saver ships, at the distance the saver's camera sees it from.
void RenderShippedCar(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    BenchScene scene(width, height, D3DRMTEXTURE_NEAREST, 15);
    const std::string name = "vk" + std::to_string(state.range(2)) + ".x";
    if (!scene.LoadModel(VARNOKA_MODELS_DIR, name)) {
        state.SkipWithError(("cannot load " + name).c_str());
        return;
    }
    MeasureFrames(state, scene, width, height);
}

// Arguments: width, height, rings and segments of the model, linear filtering (0 or 1).
// The car-sized model: 50 x 50 quads, 5,000 triangles.
BENCHMARK(RenderFrames)
    ->Name("render")
    ->Args({640, 480, 50, 50, 0})
    ->Args({1920, 1080, 50, 50, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// Arguments: width, height, model number.
BENCHMARK(RenderShippedCar)
    ->Name("car")
    ->Args({640, 480, 1})
    ->Args({1920, 1080, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(RenderFrames)->Name("linear")->Args({1920, 1080, 50, 50, 1})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RenderFrames)
    ->Name("triangles")
    ->Args({1920, 1080, 25, 20, 0})
    ->Args({1920, 1080, 100, 50, 0})
    ->Args({1920, 1080, 250, 200, 0})
    ->Args({1920, 1080, 1000, 500, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(RenderFrames)
    ->Name("resolution")
    ->Args({320, 240, 50, 50, 0})
    ->Args({1280, 720, 50, 50, 0})
    ->Args({2560, 1440, 50, 50, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void Summarize(const bench::Run& run) {
    const std::string group = bench::GroupOf(run);
    const std::vector<long> args = bench::ArgumentsOf(run);
    if (args.size() < 3) return;
    const int w = static_cast<int>(args[0]), h = static_cast<int>(args[1]);
    const auto counter = [&run](const char* key) { return run.counters.at(key).value; };
    if (group == "car") {
        std::printf("render vk%ld %dx%d: %.2f ms/frame\n", args[2], w, h, run.GetAdjustedRealTime());
        std::printf("triangles vk%ld %dx%d: %.0f triangles\n", args[2], w, h, counter("triangles"));
        std::printf("allocations per frame vk%ld %dx%d: %.0f allocations\n", args[2], w, h,
                    counter("allocations_per_frame"));
        return;
    }
    if (args.size() < 4) return;
    const long triangles = 2 * args[2] * args[3];
    const double ms = run.GetAdjustedRealTime();
    if (group == "triangles")
        std::printf("frame %dx%d %ld triangles: %.2f ms/frame\n", w, h, triangles, ms);
    else if (group == "linear")
        std::printf("render linear filtering %dx%d: %.2f ms/frame\n", w, h, ms);
    else
        std::printf("%s %dx%d: %.2f ms/frame\n", group == "render" ? "render" : "frame", w, h, ms);
    if (group == "render") {
        // Processor time alone, which other work on a shared machine inflates less.
        std::printf("render cpu %dx%d: %.2f ms/frame\n", w, h, run.GetAdjustedCPUTime());
        std::printf("triangles/s %dx%d: %.3g triangles/s\n", w, h, counter("triangles_per_s"));
        std::printf("pixels/s %dx%d: %.3g pixels/s\n", w, h, counter("pixels_per_s"));
        std::printf("coverage %dx%d: %.0f %%\n", w, h, 100.0 * counter("coverage"));
        std::printf("allocations per frame %dx%d: %.0f allocations\n", w, h, counter("allocations_per_frame"));
    }
}

}  // namespace

int main(int argc, char** argv) { return bench::RunAndSummarize(argc, argv, Summarize); }
