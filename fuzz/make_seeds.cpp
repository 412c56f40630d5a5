// Writes starting inputs for the fuzz targets: binary and compressed models and one image
// of every kind the readers take, so the fuzzer begins inside each decoder.
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "binary_x_writer.h"
#include "bmp_writer.h"

#include <stb_image_write.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Save(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    out->insert(out->end(), static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
}

Bytes BinaryModel(bool doubles) {
    BinaryXWriter w(doubles);
    w.Name("Frame").Name("Root").Open();
    w.Name("FrameTransformMatrix").Open().Floats({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 3, 1}).Close();
    w.Name("Mesh").Open().Integers({4}).Floats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}).Integers({1, 4, 0, 1, 2, 3});
    w.Name("MeshNormals").Open().Integers({1}).Floats({0, 0, 1}).Integers({1, 4, 0, 0, 0, 0}).Close();
    w.Name("MeshTextureCoords").Open().Integers({4}).Floats({0, 0, 1, 0, 1, 1, 0, 1}).Close();
    w.Name("MeshVertexColors").Open().Integers({1, 2}).Floats({0.25, 0.5, 0.75, 1}).Close();
    w.Name("MeshMaterialList").Open().Integers({1, 1, 0});
    w.Name("Material").Open().Floats({0.1, 0.2, 0.3, 1, 8, 0, 0, 0, 0, 0, 0});
    w.Name("TextureFilename").Open().String("t.png").Close();
    w.Close().Close().Close().Close();
    return w.File();
}

void WriteModelSeeds(const std::string& dir, const std::string& dataDir) {
    Save(dir + "/model32.x", BinaryModel(false));
    Save(dir + "/model64.x", BinaryModel(true));
    Save(dir + "/model_bzip.x", CompressXFile(BinaryModel(false), 64));
    Save(dir + "/parts_tzip.x", CompressXFile(Load(dataDir + "/parts_car.x"), 256));
}

void WriteImageSeeds(const std::string& dir) {
    const std::vector<std::array<std::uint8_t, 3>> palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    BmpContent bmp;
    bmp.width = 3;
    bmp.height = 2;
    bmp.palette = palette;
    for (unsigned bits : {1u, 4u, 8u}) {
        bmp.bitsPerPixel = static_cast<std::uint16_t>(bits);
        bmp.rows = {Bytes((3 * bits + 7) / 8, 0x5a), Bytes((3 * bits + 7) / 8, 0xa5)};
        Save(dir + "/p" + std::to_string(bits) + ".bmp", WriteBmp(bmp));
    }
    bmp.palette.clear();
    for (unsigned bits : {16u, 24u, 32u}) {
        bmp.bitsPerPixel = static_cast<std::uint16_t>(bits);
        bmp.height = bits == 24 ? -2 : 2;
        bmp.rows = {Bytes(3 * bits / 8, 0x37), Bytes(3 * bits / 8, 0xc8)};
        Save(dir + "/d" + std::to_string(bits) + ".bmp", WriteBmp(bmp));
    }
    bmp.height = 2;
    bmp.headerSize = 108;
    bmp.compression = 3;
    bmp.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    Save(dir + "/alpha.bmp", WriteBmp(bmp));

    BmpContent rle;
    rle.width = 4;
    rle.height = 3;
    rle.palette = palette;
    rle.bitsPerPixel = 8;
    rle.compression = 1;
    rle.encoded = {3, 1, 0, 0, 0, 3, 2, 3, 2, 0, 0, 2, 2, 0, 1, 3, 0, 1};
    Save(dir + "/rle8.bmp", WriteBmp(rle));
    rle.bitsPerPixel = 4;
    rle.compression = 2;
    rle.encoded = {4, 0x12, 0, 0, 0, 3, 0x32, 0x30, 0, 1};
    Save(dir + "/rle4.bmp", WriteBmp(rle));

    const std::string p6 = "P6\n# seed\n2 2\n255\nabcdefghijkl";
    Save(dir + "/p6.ppm", Bytes(p6.begin(), p6.end()));
    const std::string p3 = "P3 2 1 65535 1 2 3 65535 0 9";
    Save(dir + "/p3.ppm", Bytes(p3.begin(), p3.end()));

    Bytes rgba;
    for (int i = 0; i < 8 * 8; ++i)
        rgba.insert(rgba.end(), {std::uint8_t(i * 4), std::uint8_t(255 - i), std::uint8_t(i * 7), 200});
    Bytes png, tga, jpeg;
    stbi_write_png_to_func(AppendBytes, &png, 8, 8, 4, rgba.data(), 32);
    stbi_write_tga_to_func(AppendBytes, &tga, 8, 8, 4, rgba.data());
    stbi_write_jpg_to_func(AppendBytes, &jpeg, 8, 8, 4, rgba.data(), 80);
    Save(dir + "/seed.png", png);
    Save(dir + "/seed.tga", tga);
    Save(dir + "/seed.jpg", jpeg);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_seeds MODEL_DIR IMAGE_DIR TEST_DATA_DIR\n");
        return 2;
    }
    WriteModelSeeds(argv[1], argv[3]);
    WriteImageSeeds(argv[2]);
    return 0;
}
