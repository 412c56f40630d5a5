// Any bytes must decode or be refused, without a crash, hang or unbounded allocation.
#include <cstddef>
#include <cstdint>

#include "retained/imagefile/image_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    varnoka::imagefile::Image image;
    const varnoka::LoadStatus status = varnoka::imagefile::ReadImage(data, size, image);
    const std::size_t expected = std::size_t{image.width} * image.height * 4;
    if (status == varnoka::LoadStatus::Ok && (expected == 0 || image.rgba.size() != expected)) __builtin_trap();
    if (status != varnoka::LoadStatus::Ok && !image.rgba.empty()) __builtin_trap();
    return 0;
}
