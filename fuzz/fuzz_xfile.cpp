// Any bytes must load or be refused, without a crash, hang or unbounded allocation.
#include <cstddef>
#include <cstdint>

#include "retained/xfile/xfile_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    varnoka::xfile::LoadedModel model;
    const varnoka::LoadStatus status = varnoka::xfile::ReadXFile(data, size, model);
    if (status != varnoka::LoadStatus::Ok && !model.positions.empty()) __builtin_trap();
    // Everything handed on must stay inside the model's own arrays.
    for (const auto& corner : model.corners) {
        if (corner.position >= model.positions.size()) __builtin_trap();
        if (corner.normal != varnoka::xfile::NoNormal && corner.normal >= model.normals.size()) __builtin_trap();
    }
    for (const auto& face : model.faces) {
        if (face.material != varnoka::xfile::NoMaterial && face.material >= model.materials.size()) __builtin_trap();
    }
    return 0;
}
