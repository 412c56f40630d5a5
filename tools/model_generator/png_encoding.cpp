#include "tools/model_generator/png_encoding.h"

#include <stdexcept>
#include <vector>

// Static, so that this copy of stb's writer never clashes with the one the picture tools link.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace varnoka::models {

namespace {

void AppendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

}  // namespace

std::string EncodePng(const TextureImage& image) {
    std::vector<unsigned char> rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (const Rgb& p : image.pixels) rgb.insert(rgb.end(), {p.r, p.g, p.b});
    std::string bytes;
    if (image.width <= 0 || image.height <= 0 ||
        stbi_write_png_to_func(AppendBytes, &bytes, image.width, image.height, 3, rgb.data(), image.width * 3) == 0) {
        throw std::runtime_error("cannot encode a " + std::to_string(image.width) + " x " +
                                 std::to_string(image.height) + " picture as PNG");
    }
    return bytes;
}

}  // namespace varnoka::models
