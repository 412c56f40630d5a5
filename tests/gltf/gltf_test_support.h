#pragma once
// Reading built glTF files in tests, and the measures the tests take of the result.

#include <cmath>
#include <string>

#include "gltf_builder.h"
#include "retained/gltf/gltf_reader.h"

namespace gltf_test {

struct ReadResult {
    varnoka::LoadStatus status = varnoka::LoadStatus::BadFile;
    varnoka::gltf::Model model;
    std::string problem;
};

inline ReadResult Read(const Bytes& bytes) {
    ReadResult result;
    result.status = varnoka::gltf::ReadGltf(bytes.data(), bytes.size(), false, "", result.model, result.problem);
    return result;
}

inline ReadResult Read(const std::string& text) { return Read(Bytes(text.begin(), text.end())); }

inline varnoka::gltf::Float3 Corner(const varnoka::gltf::Model& model, std::size_t triangle, int k) {
    return model.positions[model.triangles[triangle].positions[k]];
}

// Of a closed mesh whose faces are clockwise seen from outside in a left-handed space: positive
// when they face out.
inline double SignedVolume(const varnoka::gltf::Model& model) {
    double volume = 0;
    for (std::size_t t = 0; t < model.triangles.size(); ++t) {
        const auto a = Corner(model, t, 0), b = Corner(model, t, 1), c = Corner(model, t, 2);
        volume += (double(a.x) * (double(b.y) * c.z - double(b.z) * c.y) -
                   double(a.y) * (double(b.x) * c.z - double(b.z) * c.x) +
                   double(a.z) * (double(b.x) * c.y - double(b.y) * c.x)) /
                  6;
    }
    return volume;
}

// The normal of a clockwise triangle in a left-handed space, unnormalised.
inline varnoka::gltf::Float3 FrontOf(const varnoka::gltf::Model& model, std::size_t t) {
    const auto a = Corner(model, t, 0), b = Corner(model, t, 1), c = Corner(model, t, 2);
    const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    return {uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
}

}  // namespace gltf_test
