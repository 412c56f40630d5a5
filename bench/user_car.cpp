#include "user_car.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tools/model_generator/glb_writer.h"

namespace bench {

namespace {

using varnoka::models::CarModel;
using varnoka::models::Mesh;
using varnoka::models::Rgb;
using varnoka::models::TextureImage;

constexpr double Pi = 3.14159265358979323846;
constexpr const char* PictureName = "stripes.png";

// A car's length, height and width; the rings stop short of the poles, so that no triangle there
// has no area.
Mesh Ellipsoid(int rings, int segments) {
    Mesh mesh;
    for (int r = 0; r <= rings; ++r) {
        const double theta = Pi * (r + 0.5) / (rings + 1);
        for (int s = 0; s <= segments; ++s) {
            const double phi = 2 * Pi * s / segments;
            mesh.AddPoint(
                {4.5 * std::sin(theta) * std::cos(phi), 1.4 * std::cos(theta), 1.8 * std::sin(theta) * std::sin(phi)});
            mesh.texCoords.push_back({4.0 * s / segments, 2.0 * r / rings});
        }
    }
    const auto index = [segments](int r, int s) { return static_cast<std::uint32_t>(r * (segments + 1) + s); };
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s)
            mesh.AddQuad(index(r, s), index(r, s + 1), index(r + 1, s + 1), index(r + 1, s), 0);
    return mesh;
}

TextureImage Stripes() {
    const int side = 256;
    TextureImage image(side, side, Rgb{20, 20, 20});
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            if (x % 32 == 0 || y % 32 == 0) continue;
            image.At(x, y) = {static_cast<std::uint8_t>(160 + (x * 95) / side),
                              static_cast<std::uint8_t>(40 + ((y / 16) % 2) * 60),
                              static_cast<std::uint8_t>(30 + (y * 60) / side)};
        }
    return image;
}

}  // namespace

std::string UserCarGlb(int rings, int segments) {
    CarModel car;
    car.name = "UserCar";
    car.palette = {{"Paint", {1, 1, 1}, 20, {0.5, 0.5, 0.5}, {}, PictureName}};
    car.frames.push_back({"Body", varnoka::models::Placement{}, {{"Shell", Ellipsoid(rings, segments), 40}}, {}});
    return varnoka::models::WriteGlb(car, {{PictureName, Stripes()}});
}

UserCarFile::UserCarFile(int rings, int segments) {
    const auto name =
        "varnoka-user-car-" + std::to_string(::getpid()) + "-" + std::to_string(2 * rings * segments) + ".glb";
    path_ = (std::filesystem::temp_directory_path() / name).string();
    const std::string bytes = UserCarGlb(rings, segments);
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    written_ = static_cast<bool>(out);
}

UserCarFile::~UserCarFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

}  // namespace bench
