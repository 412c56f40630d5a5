// How fast `.x` files are read: a generated model of 50,000 faces in the text, binary and
// compressed encodings, and one of the cars we ship, read from memory into the plain model the
// engine is filled from. And model files loaded as the saver loads a car, textures and all: our
// cars' .x files beside their .glb twins, and a user's .glb car of 100,000 triangles.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench_scene.h"
#include "binary_x_writer.h"
#include "retained/d3drm_api.h"
#include "retained/io/file_bytes.h"
#include "retained/model_file_loading.h"
#include "retained/xfile/xfile_reader.h"
#include "scene/build_scene.h"
#include "scene/model_shelf.h"
#include "scene/viewer_context.h"
#include "summary_reporter.h"
#include "user_car.h"

namespace {

constexpr int GridSide = 159;  // 158 x 158 quads, two triangles each: 49,928 faces

struct Grid {
    std::vector<double> positions;  // x, y, z per vertex
    std::vector<std::uint32_t> triangles;
};

Grid MakeGrid() {
    Grid grid;
    for (int j = 0; j < GridSide; ++j)
        for (int i = 0; i < GridSide; ++i) {
            grid.positions.push_back(i * 0.0125 - 1.0);
            grid.positions.push_back(((i * 7 + j * 13) % 17) * 0.001);
            grid.positions.push_back(j * 0.0125 - 1.0);
        }
    for (int j = 0; j + 1 < GridSide; ++j)
        for (int i = 0; i + 1 < GridSide; ++i) {
            const std::uint32_t a = j * GridSide + i, b = a + 1, c = a + GridSide, d = c + 1;
            grid.triangles.insert(grid.triangles.end(), {a, c, b, b, c, d});
        }
    return grid;
}

std::vector<std::uint8_t> TextFile(const Grid& grid) {
    std::string text = "xof 0303txt 0032\nMesh Grid {\n";
    char line[96];
    const size_t vertices = grid.positions.size() / 3;
    text += std::to_string(vertices) + ";\n";
    for (size_t v = 0; v < vertices; ++v) {
        std::snprintf(line, sizeof line, "%.4f;%.4f;%.4f;%s\n", grid.positions[3 * v], grid.positions[3 * v + 1],
                      grid.positions[3 * v + 2], v + 1 < vertices ? "," : ";");
        text += line;
    }
    const size_t faces = grid.triangles.size() / 3;
    text += std::to_string(faces) + ";\n";
    for (size_t f = 0; f < faces; ++f) {
        std::snprintf(line, sizeof line, "3;%u,%u,%u;%s\n", grid.triangles[3 * f], grid.triangles[3 * f + 1],
                      grid.triangles[3 * f + 2], f + 1 < faces ? "," : ";");
        text += line;
    }
    text += "}\n";
    return BytesOf(text);
}

std::vector<std::uint8_t> BinaryFile(const Grid& grid) {
    BinaryXWriter writer;
    writer.Name("Mesh").Name("Grid").Open();
    writer.Integer(static_cast<std::uint32_t>(grid.positions.size() / 3)).Floats(grid.positions);
    std::vector<std::uint32_t> faces;
    faces.push_back(static_cast<std::uint32_t>(grid.triangles.size() / 3));
    for (size_t f = 0; f < grid.triangles.size(); f += 3)
        faces.insert(faces.end(), {3, grid.triangles[f], grid.triangles[f + 1], grid.triangles[f + 2]});
    writer.Integers(faces).Close();
    return writer.File();
}

const Grid& TheGrid() {
    static const Grid grid = MakeGrid();
    return grid;
}

// Faces 0 means any number: the file only has to load.
void ReadFile(benchmark::State& state, const std::vector<std::uint8_t>& file, std::size_t faces) {
    for (auto _ : state) {
        varnoka::xfile::LoadedModel model;
        const auto status = varnoka::xfile::ReadXFile(file.data(), file.size(), model);
        if (status != varnoka::LoadStatus::Ok || (faces != 0 && model.counts.faces != faces)) {
            state.SkipWithError("the file did not load");
            return;
        }
        benchmark::DoNotOptimize(model.positions.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
    state.counters["file_bytes"] = static_cast<double>(file.size());
}

std::size_t GridFaces() { return TheGrid().triangles.size() / 3; }

void Text(benchmark::State& state) {
    static const std::vector<std::uint8_t> file = TextFile(TheGrid());
    ReadFile(state, file, GridFaces());
}
void Binary(benchmark::State& state) {
    static const std::vector<std::uint8_t> file = BinaryFile(TheGrid());
    ReadFile(state, file, GridFaces());
}
void CompressedText(benchmark::State& state) {
    static const std::vector<std::uint8_t> file = CompressXFile(TextFile(TheGrid()));
    ReadFile(state, file, GridFaces());
}
void CompressedBinary(benchmark::State& state) {
    static const std::vector<std::uint8_t> file = CompressXFile(BinaryFile(TheGrid()));
    ReadFile(state, file, GridFaces());
}
// What a model switch in the saver waits for, textures aside.
void ShippedCar(benchmark::State& state) {
    std::vector<std::uint8_t> file;
    if (varnoka::ReadFileBytes(VARNOKA_MODELS_DIR "/vk1.x", file) != varnoka::LoadStatus::Ok) {
        state.SkipWithError("models/vk1.x cannot be read");
        return;
    }
    ReadFile(state, file, 0);
}

// A model file loaded into mesh data as the saver loads a car, its textures from beside it.
void LoadFromFile(benchmark::State& state, const std::string& path) {
    IDirect3DRM* rm = nullptr;
    if (FAILED(Direct3DRMCreate(&rm))) {
        state.SkipWithError("no engine");
        return;
    }
    TextureFolder textures{rm, FolderOf(path)};
    std::size_t faces = 0;
    for (auto _ : state) {
        varnoka::rm::MeshData data;
        if (FAILED(varnoka::rm::LoadModelFile(path.c_str(), LoadTextureCallback, &textures, data, nullptr))) {
            state.SkipWithError((path + " did not load").c_str());
            break;
        }
        faces = data.faces.size();
        benchmark::DoNotOptimize(data.positions.data());
    }
    rm->Release();
    std::error_code ignored;
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path, ignored));
    state.counters["faces"] = static_cast<double>(faces);
}

// Argument: the car's number.
void XTwin(benchmark::State& state) {
    LoadFromFile(state, VARNOKA_MODELS_DIR "/vk" + std::to_string(state.range(0)) + ".x");
}
void GlbTwin(benchmark::State& state) {
    LoadFromFile(state, VARNOKA_GLTF_TWINS_DIR "/vk" + std::to_string(state.range(0)) + ".glb");
}

// Arguments: rings and segments of the user's car.
void UserCar(benchmark::State& state) {
    static std::map<std::pair<long, long>, std::unique_ptr<bench::UserCarFile>> files;
    auto& file = files[{state.range(0), state.range(1)}];
    if (!file)
        file = std::make_unique<bench::UserCarFile>(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!file->Written()) {
        state.SkipWithError("cannot write the user's car");
        return;
    }
    LoadFromFile(state, file->Path());
}

// The same car as the saver takes one of the user's: read, fitted to the view, brought within the
// triangle budget and put into a mesh builder of the running picture.
void OwnCar(benchmark::State& state) {
    static std::map<std::pair<long, long>, std::unique_ptr<bench::UserCarFile>> files;
    auto& file = files[{state.range(0), state.range(1)}];
    if (!file)
        file = std::make_unique<bench::UserCarFile>(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    bench::BenchScene picture(320, 240, file->Path());
    if (!file->Written() || !picture.opened) {
        state.SkipWithError("the user's car cannot be shown");
        return;
    }
    int faces = 0;
    for (auto _ : state) {
        IDirect3DRMMeshBuilder2* builder = nullptr;
        std::string reason;
        if (FAILED(d3drm2->CreateMeshBuilder(&builder)) || FAILED(LoadOwnCar(builder, file->Path().c_str(), reason))) {
            state.SkipWithError("the user's car did not load");
            if (builder != nullptr) builder->Release();
            break;
        }
        faces = builder->GetFaceCount();
        builder->Release();
    }
    std::error_code ignored;
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file->Path(), ignored));
    state.counters["faces"] = static_cast<double>(faces);
}

BENCHMARK(Text)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Binary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CompressedText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CompressedBinary)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ShippedCar)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(XTwin)->Arg(1)->Arg(4)->Arg(9)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(GlbTwin)->Arg(1)->Arg(4)->Arg(9)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(UserCar)->Args({250, 200})->Unit(benchmark::kMillisecond)->UseRealTime();  // 100,000 triangles
BENCHMARK(OwnCar)->Args({250, 200})->Unit(benchmark::kMillisecond)->UseRealTime();

void Summarize(const bench::Run& run) {
    const double ms = run.GetAdjustedRealTime();
    const double megabytes = run.counters.at("file_bytes").value / 1e6;
    const std::string name = bench::GroupOf(run);
    const std::vector<long> args = bench::ArgumentsOf(run);
    if ((name == "XTwin" || name == "GlbTwin") && !args.empty()) {
        std::printf("load vk%ld%s file: %.2f ms\n", args[0], name == "XTwin" ? ".x" : ".glb", ms);
        std::printf("load vk%ld%s file size: %.3f MB\n", args[0], name == "XTwin" ? ".x" : ".glb", megabytes);
        return;
    }
    if (name == "OwnCar" && args.size() >= 2) {
        std::printf("load user car glb %ld triangles as the saver shows it: %.2f ms\n", 2 * args[0] * args[1], ms);
        std::printf("triangles drawn of user car glb %ld triangles: %.0f\n", 2 * args[0] * args[1],
                    run.counters.at("faces").value);
        return;
    }
    if (name == "UserCar" && args.size() >= 2) {
        std::printf("load user car glb %ld triangles: %.2f ms\n", 2 * args[0] * args[1], ms);
        std::printf("load user car glb %ld triangles file size: %.3f MB\n", 2 * args[0] * args[1], megabytes);
        return;
    }
    const char* label = name == "Text"             ? "load text"
                        : name == "Binary"         ? "load binary"
                        : name == "CompressedText" ? "load compressed text"
                        : name == "ShippedCar"     ? "load vk1.x"
                                                   : "load compressed binary";
    std::printf("%s %.1fMB: %.2f ms\n", label, megabytes, ms);
    std::printf("%s rate: %.0f MB/s\n", label, megabytes / (ms / 1000.0));
}

}  // namespace

int main(int argc, char** argv) { return bench::RunAndSummarize(argc, argv, Summarize); }
