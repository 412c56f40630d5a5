// The .glb writer: a well-formed file, the same car as the .x writer's in glTF's right-handed
// space, its materials and pictures, and the same bytes every time.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

#include "retained/imagefile/image_reader.h"
#include "tests/gltf_twins/glb_file.h"
#include "tools/model_generator/glb_writer.h"
#include "tools/model_generator/model_set.h"
#include "tools/model_generator/shapes.h"

namespace varnoka::models {
namespace {

using gltf_test::GlbFile;
using gltf_test::ParseGlb;
using gltf_test::Point;

constexpr double Pi = 3.14159265358979323846;

const std::vector<GeneratedFile>& Twins() {
    static const std::vector<GeneratedFile> twins = GenerateGlbTwins();
    return twins;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TextureImage Checks() {
    TextureImage image(8, 4, Rgb{10, 20, 30});
    image.FillRect(0, 0, 4, 2, Rgb{250, 128, 3});
    return image;
}

// One textured panel in a frame that turns, a box shared by two frames that only move.
CarModel SmallCar() {
    CarModel car;
    car.name = "small";
    car.offset = {0.5, 1, 2};
    car.palette = {{"Red", {1, 0, 0}, 20, {0.5, 0.5, 0.5}, {}, ""},
                   {"Printed", {1, 1, 1}, 0, {}, {0.25, 0, 0}, "checks.bmp"},
                   {"Smoke", {0.2, 0.2, 0.2}, 5, {}, {}, "", 0.5}};
    car.sharedParts.push_back({"Box", MakeRoundedBox({{0.5, 0.5, 0.5}, 0.2, 4, 2}, 0), 40});
    car.frames.push_back({"Left", Translation({-2, 0, 0}), {}, {"Box"}});
    car.frames.push_back({"Right", Translation({2, 0, 3}), {}, {"Box"}});
    car.frames.push_back({"Turned",
                          TurnAboutY(Pi / 2, {1, 2, 3}),
                          {{"Panel", MakeTexturedPanel({{0.1, 0.5, 0.5}, 0.1, 4, 2}, true, 1), 40}},
                          {}});
    car.frames.back().parts[0].mesh.triangles[0].material = 2;
    return car;
}

TexturePictures SmallCarPictures() { return {{"checks.bmp", Checks()}}; }

TEST(GlbWriter, FilesAreWellFormedWithAlignedChunksAndAccessors) {
    for (const std::string& bytes : {WriteGlb(SmallCar(), SmallCarPictures()), Twins()[0].bytes}) {
        const GlbFile file = ParseGlb(bytes);
        EXPECT_EQ(file.magic, 0x46546C67u);
        EXPECT_EQ(file.version, 2u);
        EXPECT_EQ(file.length, bytes.size());
        EXPECT_EQ(file.jsonChunkType, 0x4E4F534Au);
        EXPECT_EQ(file.binChunkType, 0x004E4942u);
        EXPECT_EQ(20 + file.jsonText.size() + 8 + file.bin.size(), bytes.size()) << "nothing after the chunks";
        EXPECT_EQ(file.jsonText.size() % 4, 0u);
        EXPECT_EQ(file.bin.size() % 4, 0u);
        EXPECT_EQ(file.jsonText.back() == '}' || file.jsonText.back() == ' ', true) << "JSON padded with spaces";
        EXPECT_EQ(file.json["asset"]["version"], "2.0");
        EXPECT_EQ(file.json["asset"]["generator"], "Varnoka model generator");
        ASSERT_EQ(file.json["buffers"].size(), 1u);
        const std::size_t used = file.json["buffers"][0]["byteLength"];
        EXPECT_LE(used, file.bin.size());
        EXPECT_EQ(file.bin.find_first_not_of('\0', used), std::string::npos) << "BIN padded with zeros";
        for (const auto& view : file.json["bufferViews"]) {
            EXPECT_EQ(view.value("byteOffset", 0u) % 4, 0u);
            EXPECT_LE(view.value("byteOffset", 0u) + view["byteLength"].get<std::size_t>(), used);
        }
        for (std::size_t a = 0; a < file.json["accessors"].size(); ++a) {
            const auto& accessor = file.json["accessors"][a];
            std::vector<double> values;
            ASSERT_NO_THROW(values = gltf_test::AccessorValues(file, static_cast<int>(a))) << "accessor " << a;
            if (accessor.contains("min")) {
                for (std::size_t i = 0; i < values.size(); ++i) {
                    EXPECT_GE(values[i], accessor["min"][i % 3].get<double>());
                    EXPECT_LE(values[i], accessor["max"][i % 3].get<double>());
                }
            }
        }
    }
}

TEST(GlbWriter, SameCarSameBytesAndTheBuildWroteThem) {
    EXPECT_TRUE(WriteGlb(SmallCar(), SmallCarPictures()) == WriteGlb(SmallCar(), SmallCarPictures()));
    const std::vector<GeneratedFile> again = GenerateGlbTwins();
    ASSERT_EQ(again.size(), std::size(GlbTwinCars));
    for (std::size_t i = 0; i < again.size(); ++i) {
        EXPECT_TRUE(again[i].bytes == Twins()[i].bytes) << again[i].name;
        EXPECT_TRUE(ReadFile(std::string(VARNOKA_GLTF_TWINS_DIR) + "/" + again[i].name) == again[i].bytes)
            << again[i].name << " in the build tree is not what the generator makes";
    }
}

// Where our left-handed point lands in glTF's space.
Point Mirrored(Vec3 p) { return {p.x, p.y, -p.z}; }

TEST(GlbWriter, PointsAndPlacementsAreMirroredAndWindingsReversed) {
    const CarModel car = SmallCar();
    const GlbFile file = ParseGlb(WriteGlb(car, SmallCarPictures()));
    const auto placed = gltf_test::SceneTriangles(file);

    // Our triangles in the order the frames and parts come, each corner placed and mirrored,
    // then taken the other way round.
    std::vector<std::array<Point, 3>> expected;
    for (const PartFrame& frame : car.frames) {
        std::vector<const Part*> parts;
        for (const Part& part : frame.parts) parts.push_back(&part);
        for (std::size_t i = 0; i < frame.sharedParts.size(); ++i) parts.push_back(&car.sharedParts[0]);
        for (const Part* part : parts) {
            // Primitives come in palette order.
            std::map<std::uint32_t, std::vector<std::array<Point, 3>>> byMaterial;
            for (const Triangle& t : part->mesh.triangles) {
                std::array<Point, 3> corners;
                for (int k = 0; k < 3; ++k)
                    corners[k] = Mirrored(frame.placement.Apply(part->mesh.positions[t.corners[k]]) + car.offset);
                byMaterial[t.material].push_back({corners[0], corners[2], corners[1]});
            }
            for (const auto& entry : byMaterial)
                expected.insert(expected.end(), entry.second.begin(), entry.second.end());
        }
    }
    ASSERT_EQ(placed.size(), expected.size());
    for (std::size_t t = 0; t < placed.size(); ++t)
        for (int k = 0; k < 3; ++k)
            for (int i = 0; i < 3; ++i) ASSERT_NEAR(placed[t].corners[k][i], expected[t][k][i], 2e-4) << t;

    // A point at our +z lands at glTF's -z: the turned panel faces our +x, placed at z = 3.
    const Point panelCorner = placed.back().corners[0];
    EXPECT_LT(panelCorner[2], -2);
    // Both kinds of placement: moving frames as translations, the turning one as a matrix.
    EXPECT_TRUE(file.json["nodes"][0].contains("translation"));
    int matrices = 0, translations = 0;
    for (const auto& node : file.json["nodes"]) {
        matrices += node.contains("matrix");
        translations += node.contains("translation");
    }
    EXPECT_EQ(matrices, 1);
    EXPECT_EQ(translations, 3);
}

TEST(GlbWriter, MeshesPast65535VerticesIndexThemWith32Bits) {
    // A flat strip of 40,000 quads: 80,002 vertices.
    Mesh strip;
    for (int i = 0; i <= 40000; ++i) {
        strip.AddPoint({i * 0.001, 0, 0});
        strip.AddPoint({i * 0.001, 1, 0});
    }
    for (std::uint32_t i = 0; i < 40000; ++i) strip.AddQuad(2 * i, 2 * i + 1, 2 * i + 3, 2 * i + 2, 0);
    CarModel car;
    car.name = "long";
    car.palette = {{"Red", {1, 0, 0}, 20, {}, {}, ""}};
    car.frames.push_back({"Body", Placement{}, {{"Strip", strip, 40}}, {}});
    const GlbFile file = ParseGlb(WriteGlb(car, {}));
    const auto& primitive = file.json["meshes"][0]["primitives"][0];
    EXPECT_EQ(file.json["accessors"][primitive["indices"].get<std::size_t>()]["componentType"], 5125);
    const auto placed = gltf_test::SceneTriangles(file);
    ASSERT_EQ(placed.size(), 80000u);
    const Triangle& last = strip.triangles.back();
    for (int k = 0; k < 3; ++k) {
        const Point want = Mirrored(strip.positions[last.corners[(3 - k) % 3]]);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(placed.back().corners[k][i], want[i], 1e-4);
    }
}

TEST(GlbWriter, SharedPartsAreOneMeshReferredToByEveryFrame) {
    const GlbFile file = ParseGlb(WriteGlb(SmallCar(), SmallCarPictures()));
    EXPECT_EQ(file.json["meshes"].size(), 2u);
    std::map<int, int> references;
    for (const auto& node : file.json["nodes"])
        if (node.contains("mesh")) ++references[node["mesh"].get<int>()];
    EXPECT_EQ(references[0], 2);
    EXPECT_EQ(references[1], 1);
    EXPECT_EQ(file.json["nodes"][0]["children"].size(), 3u);
}

TEST(GlbWriter, MaterialsTurnBackIntoTheirColoursPowerAndPictures) {
    for (double power : {1.0, 4.0, 10.0, 20.0, 60.0, 500.0}) {
        const double a = std::pow(RoughnessOfPower(power), 2);
        EXPECT_NEAR(2 / (a * a) - 2, power, power * 1e-9) << "the reader's own mapping";
    }
    EXPECT_EQ(RoughnessOfPower(0), 1.0) << "no highlight";

    const GlbFile file = ParseGlb(WriteGlb(SmallCar(), SmallCarPictures()));
    const auto& materials = file.json["materials"];
    ASSERT_EQ(materials.size(), 3u);
    EXPECT_EQ(materials[0]["pbrMetallicRoughness"]["baseColorFactor"], nlohmann::json({1.0, 0.0, 0.0, 1.0}));
    EXPECT_EQ(materials[0]["pbrMetallicRoughness"]["metallicFactor"], 0);
    EXPECT_EQ(materials[0]["alphaMode"], "OPAQUE");
    EXPECT_EQ(materials[0]["doubleSided"], false);
    EXPECT_EQ(materials[1]["emissiveFactor"], nlohmann::json({0.25, 0.0, 0.0}));
    EXPECT_EQ(materials[1]["pbrMetallicRoughness"]["roughnessFactor"], 1.0);
    EXPECT_EQ(materials[2]["alphaMode"], "BLEND");
    EXPECT_EQ(materials[2]["pbrMetallicRoughness"]["baseColorFactor"][3], 0.5);

    // The picture is inside, as a PNG of the same pixels.
    const int texture = materials[1]["pbrMetallicRoughness"]["baseColorTexture"]["index"];
    const auto& image = file.json["images"][file.json["textures"][texture]["source"].get<std::size_t>()];
    EXPECT_EQ(image["mimeType"], "image/png");
    const auto& view = file.json["bufferViews"][image["bufferView"].get<std::size_t>()];
    const std::string png = file.bin.substr(view.value("byteOffset", 0u), view["byteLength"]);
    imagefile::Image decoded;
    ASSERT_EQ(imagefile::ReadImage(reinterpret_cast<const std::uint8_t*>(png.data()), png.size(), decoded),
              LoadStatus::Ok);
    TextureImage picture = Checks();
    ASSERT_EQ(decoded.width, 8u);
    ASSERT_EQ(decoded.height, 4u);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) {
            const std::uint8_t* p = &decoded.rgba[(static_cast<std::size_t>(y) * 8 + x) * 4];
            const Rgb want = picture.At(x, y);
            EXPECT_EQ(p[0] << 16 | p[1] << 8 | p[2], want.r << 16 | want.g << 8 | want.b) << x << "," << y;
        }
}

TEST(GlbWriter, RefusesCarsThatNameWhatTheyDoNotHave) {
    EXPECT_THROW(WriteGlb(SmallCar(), {}), std::invalid_argument) << "a texture without its picture";
    CarModel lost = SmallCar();
    lost.frames.push_back({"Lost", Placement{}, {}, {"Wheel"}});
    EXPECT_THROW(WriteGlb(lost, SmallCarPictures()), std::invalid_argument);
    CarModel unpainted = SmallCar();
    unpainted.sharedParts[0].mesh.triangles[0].material = 3;
    EXPECT_THROW(WriteGlb(unpainted, SmallCarPictures()), std::invalid_argument);
    CarModel torn = SmallCar();
    torn.sharedParts[0].mesh.triangles[0].corners[1] = 100000;
    EXPECT_THROW(WriteGlb(torn, SmallCarPictures()), std::invalid_argument);
}

}  // namespace
}  // namespace varnoka::models
