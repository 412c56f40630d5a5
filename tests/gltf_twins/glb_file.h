#pragma once
// A .glb file taken apart for the tests, independently of the engine's reader: its chunks,
// its JSON, its accessors' values and its scene's triangles placed by their nodes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace gltf_test {

struct GlbFile {
    std::uint32_t magic = 0;
    std::uint32_t version = 0;
    std::uint32_t length = 0;  // as the header gives it
    std::uint32_t jsonChunkType = 0;
    std::uint32_t binChunkType = 0;
    std::string jsonText;  // the JSON chunk, padding included
    std::string bin;       // the BIN chunk, padding included
    nlohmann::json json;
};

// Throws std::runtime_error when the chunks do not fit the bytes.
GlbFile ParseGlb(const std::string& bytes);

// An accessor's values, component by component; throws std::runtime_error when it reaches past
// its buffer view or the view past the buffer.
std::vector<double> AccessorValues(const GlbFile& file, int accessor);

using Point = std::array<double, 3>;

struct PlacedTriangle {
    std::array<Point, 3> corners;  // in the scene's space, in the file's order
    std::array<Point, 3> normals;
    int material = 0;
};

// Every triangle of the default scene, its nodes' matrices and translations applied (the only
// placements our writer uses).
std::vector<PlacedTriangle> SceneTriangles(const GlbFile& file);

}  // namespace gltf_test
