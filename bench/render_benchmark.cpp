// Frame time of the saver's own picture and per-frame path (the render thread's RenderFrame:
// Move, Clear, Render and Update into memory) for each of our cars, and for a generated car-sized
// textured, Gouraud-lit model of a chosen number of triangles in the same scene.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "procedural_model.h"
#include "retained/d3drm_api.h"
#include "retained/memory_window.h"
#include "scene/model_shelf.h"
#include "scene/render_frame.h"
#include "scene/saver_picture.h"
#include "settings/saver_settings.h"
#include "summary_reporter.h"

namespace {

// The saver's picture with its default settings on a memory window; the car is `vkN.x`.
struct BenchScene {
    BenchScene(int width, int height, bool linearFiltering, int carNumber) : window(width, height) {
        saverSettings = DefaultSaverSettings();
        saverSettings.textureFiltering = linearFiltering ? 1 : 0;
        saverSettings.modelIndex = carNumber - 1;
        PlaceModelsFrom({VARNOKA_MODELS_DIR});
        opened = OpenPicture(window.Handle()) == PictureStep::Ready;
        if (opened) triangles = modelBuilder->GetFaceCount();
    }
    ~BenchScene() { ClosePicture(); }

    // The car replaced by a generated ellipsoid about as large on the screen as a car.
    void MakeEllipsoid(int rings, int segments) {
        IDirect3DRMTexture* texture = bench::StripedTexture();
        varnoka::rm::AssignMeshData(modelBuilder, bench::Ellipsoid(rings, segments, {4.5f, 3.0f, 4.5f}, texture));
        texture->Release();
        triangles = modelBuilder->GetFaceCount();
    }

    void Frame() { RenderFrame(viewerContext, 1.0f); }

    int CoveredPixels() const {
        int covered = 0;
        for (std::uint32_t p : window.Pixels()) covered += p != 0;
        return covered;
    }

    varnoka::rm::MemoryWindow window;
    bool opened = false;
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
    BenchScene scene(width, height, state.range(4) != 0, 1);
    if (!scene.opened) {
        state.SkipWithError("cannot open the saver's picture");
        return;
    }
    scene.MakeEllipsoid(static_cast<int>(state.range(2)), static_cast<int>(state.range(3)));
    MeasureFrames(state, scene, width, height);
}

// One of the cars the saver ships, in the saver's own picture.
void RenderShippedCar(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    BenchScene scene(width, height, false, static_cast<int>(state.range(2)));
    if (!scene.opened) {
        state.SkipWithError(("cannot load vk" + std::to_string(state.range(2)) + ".x").c_str());
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
    ->Args({1920, 1080, 2})
    ->Args({1920, 1080, 3})
    ->Args({1920, 1080, 4})
    ->Args({1920, 1080, 5})
    ->Args({1920, 1080, 6})
    ->Args({1920, 1080, 7})
    ->Args({1920, 1080, 8})
    ->Args({1920, 1080, 9})
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
        std::printf("render saver vk%ld %dx%d: %.2f ms/frame\n", args[2], w, h, run.GetAdjustedRealTime());
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
