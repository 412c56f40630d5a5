// Frame time of the saver's own picture and per-frame path (the render thread's RenderFrame:
// Move, Clear, Render and Update into memory, the window shown only what changed) for each of our
// cars, vk1 also with every frame cleared and shown whole and with frames a sixtieth of a second
// apart, and for a generated car-sized textured, Gouraud-lit model of a chosen number of triangles
// in the same scene.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "allocation_counter.h"
#include "bench_scene.h"
#include "retained/d3drm_api.h"
#include "retained/memory_window.h"
#include "retained/whole_frames.h"
#include "scene/render_frame.h"
#include "scene/saver_picture.h"
#include "settings/saver_settings.h"
#include "summary_reporter.h"
#include "user_car.h"

namespace {

using bench::BenchScene;
using bench::Look;

// Frames straight after each other, or, with a period, each that long after the last start, the
// waits not timed.
void MeasureFrames(benchmark::State& state, BenchScene& scene, int width, int height,
                   std::chrono::microseconds period = std::chrono::microseconds(0)) {
    for (int i = 0; i < 3; ++i) scene.Frame();  // buffers grow to the scene here
    const std::uint64_t allocationsBefore = bench::AllocationCount();
    std::int64_t frames = 0;
    auto next = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (period.count() > 0) {
            state.PauseTiming();
            next += period;
            std::this_thread::sleep_until(next);
            state.ResumeTiming();
        }
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
    Look look;
    look.linearFiltering = state.range(4) != 0;
    BenchScene scene(width, height, look, 1);
    if (!scene.opened) {
        state.SkipWithError("cannot open the saver's picture");
        return;
    }
    if (!scene.MakeEllipsoid(static_cast<int>(state.range(2)), static_cast<int>(state.range(3)))) {
        state.SkipWithError("cannot make the ellipsoid's texture");
        return;
    }
    MeasureFrames(state, scene, width, height);
}

// One of the cars the saver ships, in the saver's own picture: arguments width, height, model
// number, and optionally shading, linear filtering and colours as in Look.
void RenderShippedCar(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    Look look;
    if (state.range(3) >= 0)
        look = {static_cast<int>(state.range(3)), state.range(4) != 0, static_cast<int>(state.range(5))};
    BenchScene scene(width, height, look, static_cast<int>(state.range(2)));
    if (!scene.opened) {
        state.SkipWithError(("cannot load vk" + std::to_string(state.range(2)) + ".x").c_str());
        return;
    }
    MeasureFrames(state, scene, width, height);
}

// A user's car of a chosen number of triangles, written as .glb by our writer and loaded as the
// saver loads a car: arguments width, height, rings and segments.
void RenderUserCar(benchmark::State& state) {
    static std::map<std::pair<long, long>, std::unique_ptr<bench::UserCarFile>> files;
    auto& file = files[{state.range(2), state.range(3)}];
    if (!file)
        file = std::make_unique<bench::UserCarFile>(static_cast<int>(state.range(2)), static_cast<int>(state.range(3)));
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    if (!file->Written()) {
        state.SkipWithError("cannot write the user's car");
        return;
    }
    BenchScene scene(width, height, file->Path());
    if (!scene.opened) {
        state.SkipWithError("cannot load the user's .glb car");
        return;
    }
    MeasureFrames(state, scene, width, height);
}

// The memory floor of a frame: every colour and depth value written once, and the frame shown.
// The render target is the one the memory window takes.
void ClearAndPresent(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    varnoka::rm::MemoryWindow window(width, height);
    varnoka::rm::RenderTarget target;
    target.Resize(width, height);
    std::vector<float> depth(target.color.size());
    std::uint32_t background = 0;
    const auto frame = [&] {
        // A colour never used before, so that no part of the fill is skipped.
        target.Clear({0, 0, width, height}, ++background & 0xFFFFFF);
        std::fill(depth.begin(), depth.end(), 1.0f);
        window.Show(target, varnoka::rm::ShownRects::Whole(width, height));
    };
    frame();  // the window takes its first frame by copy
    for (auto _ : state) frame();
}

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
double Max(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

// Figures that are compared with each other: repeated, and summarised by their fastest
// repetition (times) and their worst (allocations), which the other work of a shared machine
// disturbs least.
template <class Benchmark>
void Repeated(Benchmark* benchmark) {
    benchmark->Repetitions(5)->ComputeStatistics("min", Min)->ComputeStatistics("max", Max)->ReportAggregatesOnly();
}

// A shipped car as RenderShippedCar draws it, but every frame cleared and shown whole: what the
// window would cost without showing only what changed.
void RenderWholeFrames(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    BenchScene scene(width, height, Look{}, static_cast<int>(state.range(2)));
    if (!scene.opened || varnoka::rm::SetWholeFrames(viewerContext->device, TRUE) != D3DRM_OK) {
        state.SkipWithError("cannot open the saver's picture");
        return;
    }
    MeasureFrames(state, scene, width, height);
}

// A shipped car as the running saver draws it, a frame a sixtieth of a second after the last:
// in between, the display and other programs take the processor's caches, so that a frame costs
// more than one drawn straight after the last. Processor time per frame, the waits not counted.
// Arguments: width, height, model number.
void RenderPacedFrames(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    BenchScene scene(width, height, Look{}, static_cast<int>(state.range(2)));
    if (!scene.opened) {
        state.SkipWithError("cannot open the saver's picture");
        return;
    }
    MeasureFrames(state, scene, width, height, std::chrono::microseconds(16667));
}

// Arguments: width, height, rings and segments of the model, linear filtering (0 or 1).
// The car-sized model: 50 x 50 quads, 5,000 triangles.
BENCHMARK(RenderFrames)->Name("render")->Args({640, 480, 50, 50, 0})->Unit(benchmark::kMillisecond)->UseRealTime();
// Arguments: width, height, model number, -1 for the saver's default look.
BENCHMARK(RenderShippedCar)
    ->Name("car")
    ->Args({152, 112, 1, -1})  // the preview in Screen Saver Settings
    ->Args({640, 480, 1, -1})
    ->Args({1920, 1080, 2, -1})
    ->Args({1920, 1080, 3, -1})
    ->Args({1920, 1080, 4, -1})
    ->Args({1920, 1080, 5, -1})
    ->Args({1920, 1080, 6, -1})
    ->Args({1920, 1080, 7, -1})
    ->Args({1920, 1080, 8, -1})
    ->Args({1920, 1080, 9, -1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(RenderShippedCar)
    ->Name("car")
    ->Args({1920, 1080, 1, -1})
    ->Args({3840, 2160, 1, -1})
    ->Apply(Repeated)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// Arguments: width, height, model number.
BENCHMARK(RenderWholeFrames)
    ->Name("whole")
    ->Args({1920, 1080, 1, -1})
    ->Args({3840, 2160, 1, -1})
    ->Apply(Repeated)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(RenderPacedFrames)
    ->Name("paced")
    ->Args({1920, 1080, 1})
    ->Args({3840, 2160, 1})
    ->Iterations(120)
    ->Apply(Repeated)
    ->Unit(benchmark::kMillisecond);
// Arguments: width, height, rings and segments: 100,000 triangles.
BENCHMARK(RenderUserCar)
    ->Name("usercar")
    ->Args({1920, 1080, 250, 200})
    ->Apply(Repeated)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(ClearAndPresent)
    ->Name("floor")
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Apply(Repeated)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// vk1 in every look: width, height, model, shading, linear filtering, colours.
BENCHMARK(RenderShippedCar)
    ->Name("look")
    ->ArgsProduct({{1920}, {1080}, {1}, {FlatShading, GouraudShading, PhongShading}, {0, 1}, {MonoColors, RgbColors}})
    ->Args({3840, 2160, 1, PhongShading, 0, RgbColors})
    ->Apply(Repeated)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(RenderFrames)
    ->Name("render")
    ->Args({1920, 1080, 50, 50, 0})
    ->Apply(Repeated)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(RenderFrames)
    ->Name("linear")
    ->Args({1920, 1080, 50, 50, 1})
    ->Apply(Repeated)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
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

const char* const ShadeNames[] = {"flat", "gouraud", "phong"};

// Frame times that are compared with each other, by figure name.
std::map<std::string, double> compared;

void Summarize(const bench::Run& run) {
    // Repeated figures: times from the fastest repetition, allocations from the worst.
    const bool aggregate = run.run_type == bench::Run::RT_Aggregate;
    const bool times = !aggregate || run.aggregate_name == "min";
    const bool allocations = !aggregate || run.aggregate_name == "max";
    if (!times && !allocations) return;
    const std::string group = bench::GroupOf(run);
    const std::vector<long> args = bench::ArgumentsOf(run);
    if (args.size() < 2) return;
    const std::string size = std::to_string(args[0]) + "x" + std::to_string(args[1]);
    const char* const sz = size.c_str();
    const auto counter = [&run](const char* key) { return run.counters.at(key).value; };
    const double ms = run.GetAdjustedRealTime();
    if (group == "floor") {
        if (!times) return;
        std::printf("floor %s: %.2f ms\n", sz, ms);
        compared["floor " + size] = ms;
        return;
    }
    if (group == "paced" && args.size() >= 3) {
        if (!times) return;
        const double cpu = run.GetAdjustedCPUTime();
        std::printf("render saver paced vk%ld %s: %.2f ms/frame\n", args[2], sz, cpu);
        std::printf("share of one core paced vk%ld %s at 60 frames/s: %.1f %%\n", args[2], sz, cpu * 6.0);
        compared["paced vk" + std::to_string(args[2]) + " " + size] = cpu;
        return;
    }
    if (args.size() < 4) return;
    if (group == "usercar") {
        const long triangles = 2 * args[2] * args[3];
        if (times) {
            std::printf("render user car glb %ld triangles %s: %.2f ms/frame\n", triangles, sz, ms);
            compared["usercar " + size] = ms;
        }
        if (allocations)
            std::printf("allocations per frame user car glb %ld triangles %s: %.0f allocations\n", triangles, sz,
                        counter("allocations_per_frame"));
        return;
    }
    if (group == "car") {
        if (times) {
            std::printf("render saver vk%ld %s: %.2f ms/frame\n", args[2], sz, ms);
            std::printf("triangles vk%ld %s: %.0f triangles\n", args[2], sz, counter("triangles"));
            compared["vk" + std::to_string(args[2]) + " " + size] = ms;
        }
        if (allocations)
            std::printf("allocations per frame vk%ld %s: %.0f allocations\n", args[2], sz,
                        counter("allocations_per_frame"));
        return;
    }
    if (group == "whole") {
        if (times) {
            std::printf("render saver whole frames vk%ld %s: %.2f ms/frame\n", args[2], sz, ms);
            compared["whole vk" + std::to_string(args[2]) + " " + size] = ms;
        }
        if (allocations)
            std::printf("allocations per frame whole frames vk%ld %s: %.0f allocations\n", args[2], sz,
                        counter("allocations_per_frame"));
        return;
    }
    if (group == "look" && args.size() >= 6) {
        const std::string look =
            std::string(ShadeNames[args[3]]) + (args[4] ? " linear" : " nearest") + (args[5] ? " rgb" : " mono");
        if (times) {
            std::printf("render vk1 %s %s: %.2f ms/frame\n", sz, look.c_str(), ms);
            compared["vk1 " + size + " " + look] = ms;
        }
        if (allocations)
            std::printf("allocations per frame vk1 %s %s: %.0f allocations\n", sz, look.c_str(),
                        counter("allocations_per_frame"));
        return;
    }
    if (args.size() < 5) return;
    const long triangles = 2 * args[2] * args[3];
    if (group == "triangles") {
        std::printf("frame %s %ld triangles: %.2f ms/frame\n", sz, triangles, ms);
    } else if (group == "linear" || group == "render") {
        if (times) {
            std::printf("%s %s: %.2f ms/frame\n", group == "linear" ? "render linear filtering" : "render", sz, ms);
            compared[group + " " + size] = ms;
        }
    } else {
        std::printf("frame %s: %.2f ms/frame\n", sz, ms);
    }
    if (group == "render" && times) {
        // Processor time alone, which other work on a shared machine inflates less.
        std::printf("render cpu %s: %.2f ms/frame\n", sz, run.GetAdjustedCPUTime());
        std::printf("triangles/s %s: %.3g triangles/s\n", sz, counter("triangles_per_s"));
        std::printf("pixels/s %s: %.3g pixels/s\n", sz, counter("pixels_per_s"));
        std::printf("coverage %s: %.0f %%\n", sz, 100.0 * counter("coverage"));
    }
    if (group == "render" && allocations)
        std::printf("allocations per frame %s: %.0f allocations\n", sz, counter("allocations_per_frame"));
}

// How the compared figures stand to each other.
void Compare() {
    const auto ratio = [](const char* name, const std::string& figure, const std::string& base) {
        const auto a = compared.find(figure), b = compared.find(base);
        if (a != compared.end() && b != compared.end() && b->second > 0)
            std::printf("%s: %.2f times\n", name, a->second / b->second);
    };
    ratio("changed/whole frames vk1 1920x1080", "vk1 1920x1080", "whole vk1 1920x1080");
    ratio("changed/whole frames vk1 3840x2160", "vk1 3840x2160", "whole vk1 3840x2160");
    ratio("paced/straight on vk1 1920x1080", "paced vk1 1920x1080", "vk1 1920x1080");
    ratio("paced/straight on vk1 3840x2160", "paced vk1 3840x2160", "vk1 3840x2160");
    ratio("frame/floor vk1 1920x1080", "vk1 1920x1080", "floor 1920x1080");
    ratio("frame/floor vk1 3840x2160", "vk1 3840x2160", "floor 3840x2160");
    ratio("phong/gouraud vk1 1920x1080", "vk1 1920x1080 phong nearest rgb", "vk1 1920x1080 gouraud nearest rgb");
    ratio("linear/nearest vk1 1920x1080", "vk1 1920x1080 gouraud linear rgb", "vk1 1920x1080 gouraud nearest rgb");
    ratio("linear/nearest 1920x1080", "linear 1920x1080", "render 1920x1080");
    ratio("user car glb/vk1 1920x1080", "usercar 1920x1080", "vk1 1920x1080");
}

}  // namespace

int main(int argc, char** argv) { return bench::RunAndSummarize(argc, argv, Summarize, Compare); }
