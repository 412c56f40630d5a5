// Writes starting inputs for the fuzz targets: binary and compressed models, glTF cars as .glb
// and as text, and one image of every kind the readers take, so the fuzzer begins inside each
// decoder.
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "binary_x_writer.h"
#include "bmp_writer.h"
#include "gltf_builder.h"

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

// glTF cars that reach every part of the reader: node transforms, every primitive mode, packed,
// interleaved and sparse accessors, each alpha mode with an image in the binary chunk or a data URI.
void WriteGltfSeeds(const std::string& dir) {
    using namespace gltf_test;
    const Bytes png = Png(2, 2, {255, 0, 0, 10, 0, 255, 0, 255, 0, 0, 255, 128, 255, 255, 255, 255});
    GltfBuilder car;
    const int positions = car.Floats({-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0, 0, 0, 1}, "VEC3");
    const int normals = car.Floats({0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1}, "VEC3");
    const int uv = car.Floats({0, 1, 1, 1, 1, 0, 0, 0, 0.5f, 0.5f}, "VEC2");
    const int indices = car.Indices({0, 1, 2, 0, 2, 3, 0, 4, 1});
    const int view = car.View(png.data(), png.size());
    car.Add("images", "{\"bufferView\":" + std::to_string(view) + ",\"mimeType\":\"image/png\"}");
    car.Add("images", "{\"uri\":\"data:image/png;base64," + Base64(png) + "\"}");
    car.Add("textures", "{\"source\":0}");
    car.Add("textures", "{\"source\":1}");
    car.Add("materials",
            "{\"pbrMetallicRoughness\":{\"baseColorTexture\":{\"index\":0},\"baseColorFactor\":[1,0.5,1,1]}}");
    car.Add("materials",
            "{\"pbrMetallicRoughness\":{\"baseColorTexture\":{\"index\":1}},\"alphaMode\":\"MASK\","
            "\"doubleSided\":true}");
    car.Add("materials",
            "{\"pbrMetallicRoughness\":{\"baseColorFactor\":[1,0,0,0.5],\"metallicFactor\":0.2,"
            "\"roughnessFactor\":0.4},\"alphaMode\":\"BLEND\",\"emissiveFactor\":[0.1,0.1,0]}");
    const int body = car.Mesh(positions, normals, uv, indices, 0);
    const int glass = car.Mesh(positions, -1, uv, -1, 1, "\"mode\":5");
    const int roof = car.Mesh(positions, -1, -1, -1, 2, "\"mode\":6");
    const std::uint16_t sparseIndex[1] = {4};
    const float sparseValue[3] = {0, 0, 2};
    const int indexView = car.View(sparseIndex, sizeof sparseIndex);
    const int valueView = car.View(sparseValue, sizeof sparseValue);
    const int sparse =
        car.Accessor(0, Float, 5, "VEC3", 0,
                     "\"sparse\":{\"count\":1,\"indices\":{\"bufferView\":" + std::to_string(indexView) +
                         ",\"componentType\":5123},\"values\":{\"bufferView\":" + std::to_string(valueView) + "}}");
    const int wheel = car.Mesh(sparse, -1, -1, indices);
    car.Node("{\"children\":[1,2,3],\"translation\":[0,1,0],\"rotation\":[0,0.7071068,0,0.7071068]}");
    car.Node("{\"mesh\":" + std::to_string(body) + ",\"scale\":[-1,1,1]}");
    car.Node("{\"mesh\":" + std::to_string(glass) + ",\"matrix\":[1,0,0,0,0,1,0,0,0,0,1,0,0,0,2,1]}");
    car.Node("{\"mesh\":" + std::to_string(roof) + ",\"children\":[4]}");
    car.Node("{\"mesh\":" + std::to_string(wheel) + "}");
    car.Add("scenes", "{\"nodes\":[0]}");
    car.TopLevel("\"scene\":0,\"extensionsUsed\":[\"KHR_mesh_quantization\"]");
    Save(dir + "/car.glb", car.Glb());
    const std::string text = car.Gltf();
    Save(dir + "/car.gltf", Bytes(text.begin(), text.end()));

    // Quantized and interleaved: normalized shorts and bytes in one strided view.
    GltfBuilder packed;
    const std::int16_t vertices[3][6] = {{0, 0, 0, 0, 0, 127}, {32767, 0, 0, 0, 0, 127}, {0, 32767, 0, 0, 0, 127}};
    const int packedView = packed.View(vertices, sizeof vertices, 12);
    const int packedPositions = packed.Accessor(packedView, Short, 3, "VEC3", 0, "\"normalized\":true");
    const int packedNormals = packed.Accessor(packedView, Byte, 3, "VEC3", 6, "\"normalized\":true");
    SceneOfMesh(packed, packed.Mesh(packedPositions, packedNormals));
    packed.TopLevel("\"extensionsRequired\":[\"KHR_mesh_quantization\"]");
    Save(dir + "/packed.glb", packed.Glb());
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
    WriteGltfSeeds(argv[1]);
    WriteImageSeeds(argv[2]);
    return 0;
}
