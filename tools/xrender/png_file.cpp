#include "tools/xrender/png_file.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

bool WritePng(const std::string& path, const SaverViewImage& image) {
    std::vector<unsigned char> rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (std::uint32_t pixel : image.pixels) {
        rgb.push_back(static_cast<unsigned char>(pixel >> 16));
        rgb.push_back(static_cast<unsigned char>(pixel >> 8));
        rgb.push_back(static_cast<unsigned char>(pixel));
    }
    return stbi_write_png(path.c_str(), image.width, image.height, 3, rgb.data(), image.width * 3) != 0;
}
