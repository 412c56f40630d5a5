// Materials and their images: colours, alpha modes, double-sided faces, and images found in the
// file, in a data URI or beside the model.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "gltf_test_support.h"
#include "retained/gltf/gltf_limits.h"

#ifdef _WIN32
#include <windows.h>
#include <winioctl.h>
#endif

namespace gltf_test {
namespace {

using varnoka::LoadStatus;

// A square facing glTF +z with texture coordinates, drawn with material 0.
GltfBuilder Square(const std::string& material, const std::string& imageObject = "") {
    GltfBuilder b;
    const int positions = b.Floats({-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0}, "VEC3");
    const int uv = b.Floats({0, 1, 1, 1, 1, 0, 0, 0}, "VEC2");
    const int indices = b.Indices({0, 1, 2, 0, 2, 3});
    b.Add("materials", material);
    if (!imageObject.empty()) {
        b.Add("images", imageObject);
        b.Add("textures", "{\"source\":0}");
    }
    SceneOfMesh(b, b.Mesh(positions, -1, uv, indices, 0));
    return b;
}

// Two texels side by side: red half-transparent (alpha 64), green opaque.
Bytes TwoTexels() { return Png(2, 1, {255, 0, 0, 64, 0, 255, 0, 255}); }

std::string DataUriImage(const Bytes& png) { return "{\"uri\":\"data:image/png;base64," + Base64(png) + "\"}"; }

std::string Textured(const std::string& mode, const std::string& extra = "") {
    return "{\"pbrMetallicRoughness\":{\"baseColorTexture\":{\"index\":0},\"baseColorFactor\":[1,1,1,0.5]},"
           "\"alphaMode\":\"" +
           mode + "\"" + extra + "}";
}

TEST(GltfMaterials, MetallicRoughnessBecomesTheEngineHighlight) {
    const ReadResult read =
        Read(Square("{\"pbrMetallicRoughness\":{\"baseColorFactor\":[0.8,0.2,0.1,1],"
                    "\"metallicFactor\":0,\"roughnessFactor\":0.5},\"emissiveFactor\":[0.1,0,0],"
                    "\"extensions\":{\"KHR_materials_emissive_strength\":{\"emissiveStrength\":3}}}")
                 .Glb());
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    ASSERT_EQ(read.model.materials.size(), 1u);
    const auto& m = read.model.materials[0];
    EXPECT_FLOAT_EQ(m.faceColor.x, 0.8f);
    EXPECT_FLOAT_EQ(m.alpha, 1);
    // a = 0.25: 2 / 0.0625 - 2 = 30; specular: dielectric grey, halved by the roughness.
    EXPECT_FLOAT_EQ(m.power, 30);
    EXPECT_FLOAT_EQ(m.specular.x, 0.25f);
    EXPECT_FLOAT_EQ(m.specular.y, 0.25f);
    EXPECT_NEAR(m.emissive.x, 0.3f, 1e-6);
}

TEST(GltfMaterials, PrimitiveWithoutMaterialIsGltfDefaultWhiteAndDull) {
    GltfBuilder b;
    SceneOfMesh(b, b.Mesh(b.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3")));
    const ReadResult read = Read(b.Glb());
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    ASSERT_EQ(read.model.materials.size(), 1u);
    EXPECT_FLOAT_EQ(read.model.materials[0].faceColor.z, 1);
    EXPECT_FLOAT_EQ(read.model.materials[0].power, 0);  // roughness 1: no highlight
    EXPECT_FLOAT_EQ(read.model.materials[0].specular.x, 0);
}

TEST(GltfMaterials, AlphaModesBakeIntoTheTexelsOfADataUriImage) {
    struct Case {
        std::string mode, extra;
        std::uint8_t redAlpha, greenAlpha;
        float alpha;
    };
    // Mask: red's alpha 64/255 times the factor's 0.5 is 0.125: below the cutoff 0.5, above 0.1.
    for (const Case& c : {Case{"OPAQUE", "", 255, 255, 1}, Case{"BLEND", "", 64, 255, 0.5f},
                          Case{"MASK", "", 0, 255, 1}, Case{"MASK", ",\"alphaCutoff\":0.1", 255, 255, 1}}) {
        const ReadResult read = Read(Square(Textured(c.mode, c.extra), DataUriImage(TwoTexels())).Glb());
        ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
        ASSERT_EQ(read.model.textures.size(), 1u);
        const auto& texels = read.model.textures[0].rgba;
        ASSERT_EQ(texels.size(), 8u);
        EXPECT_EQ(texels[0], 255);
        EXPECT_EQ(texels[3], c.redAlpha) << c.mode << c.extra;
        EXPECT_EQ(texels[7], c.greenAlpha) << c.mode << c.extra;
        EXPECT_FLOAT_EQ(read.model.materials[0].alpha, c.alpha) << c.mode;
        EXPECT_EQ(read.model.counts.textures, 1u);
    }
}

TEST(GltfMaterials, ColourFactorIsBakedIntoTheTextureItReplaces) {
    const std::string material =
        "{\"pbrMetallicRoughness\":{\"baseColorTexture\":{\"index\":0},\"baseColorFactor\":[0.5,1,1,1]}}";
    const ReadResult read = Read(Square(material, DataUriImage(TwoTexels())).Glb());
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    EXPECT_EQ(read.model.textures[0].rgba[0], 128);
}

TEST(GltfMaterials, ImageInTheBinaryChunkAndOneTexturePerImageAndTreatment) {
    GltfBuilder b;
    const Bytes png = TwoTexels();
    const int view = b.View(png.data(), png.size());
    b.Add("images", "{\"bufferView\":" + std::to_string(view) + ",\"mimeType\":\"image/png\"}");
    b.Add("textures", "{\"source\":0}");
    const std::string plain = "{\"pbrMetallicRoughness\":{\"baseColorTexture\":{\"index\":0}}}";
    b.Add("materials", plain);
    b.Add("materials", plain);
    b.Add("materials", "{\"pbrMetallicRoughness\":{\"baseColorTexture\":{\"index\":0}},\"alphaMode\":\"MASK\"}");
    const int positions = b.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
    const int uv = b.Floats({0, 0, 1, 0, 0, 1}, "VEC2");
    std::string nodes;
    for (int m = 0; m < 3; ++m) {
        const int mesh = b.Mesh(positions, -1, uv, -1, m);
        nodes += (m ? "," : "") + std::to_string(b.Node("{\"mesh\":" + std::to_string(mesh) + "}"));
    }
    b.Add("scenes", "{\"nodes\":[" + nodes + "]}");
    const ReadResult read = Read(b.Glb());
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    EXPECT_EQ(read.model.materials.size(), 3u);
    EXPECT_EQ(read.model.textures.size(), 2u);
    EXPECT_EQ(read.model.materials[0].texture, read.model.materials[1].texture);
    EXPECT_EQ(read.model.counts.textures, 1u);
    EXPECT_EQ(read.model.textureCoords.size(), read.model.positions.size());
}

TEST(GltfMaterials, MaskedFacesWithoutTextureBelowTheCutoffAreLeftOut) {
    GltfBuilder b;
    b.Add("materials", "{\"pbrMetallicRoughness\":{\"baseColorFactor\":[1,1,1,0.2]},\"alphaMode\":\"MASK\"}");
    b.Add("materials", "{\"pbrMetallicRoughness\":{\"baseColorFactor\":[1,1,1,0.7]},\"alphaMode\":\"MASK\"}");
    const int positions = b.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
    const int hidden = b.Node("{\"mesh\":" + std::to_string(b.Mesh(positions, -1, -1, -1, 0)) + "}");
    const int shown = b.Node("{\"mesh\":" + std::to_string(b.Mesh(positions, -1, -1, -1, 1)) + "}");
    b.Add("scenes", "{\"nodes\":[" + std::to_string(hidden) + "," + std::to_string(shown) + "]}");
    const ReadResult read = Read(b.Glb());
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    EXPECT_EQ(read.model.triangles.size(), 1u);
    EXPECT_FLOAT_EQ(read.model.materials[0].alpha, 1);
}

TEST(GltfMaterials, DoubleSidedFacesGetABackWithNormalsTurnedRound) {
    const ReadResult read =
        Read(Square("{\"doubleSided\":true,\"pbrMetallicRoughness\":{\"baseColorFactor\":[1,0,0,1]}}").Glb());
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    ASSERT_EQ(read.model.triangles.size(), 4u);
    const auto& m = read.model;
    EXPECT_LT(FrontOf(m, 0).z, 0);
    EXPECT_GT(FrontOf(m, 1).z, 0);
    EXPECT_LT(m.normals[m.triangles[0].normals[0]].z, -0.99f);
    EXPECT_GT(m.normals[m.triangles[1].normals[0]].z, 0.99f);
}

TEST(GltfMaterials, UnreadableImageLeavesTheFacesInTheirColourAndIsReported) {
    const ReadResult read = Read(Square(Textured("OPAQUE"), "{\"uri\":\"data:image/png;base64,AAAA\"}").Glb());
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    EXPECT_TRUE(read.model.textures.empty());
    EXPECT_EQ(read.model.materials[0].texture, varnoka::gltf::NoTexture);
    ASSERT_EQ(read.model.missingImages.size(), 1u);
    EXPECT_EQ(read.model.missingImages[0], "image 0");
}

TEST(GltfMaterials, ImageOverTheSideLimitIsRefusedFromItsHeader) {
    // A PNG header claiming 9000 x 1 texels; nothing past the header is there to decode.
    Bytes png = Png(1, 1, {0, 0, 0, 255});
    png[16] = 0, png[17] = 0, png[18] = 0x23, png[19] = 0x28;
    const ReadResult read = Read(Square(Textured("OPAQUE"), DataUriImage(png)).Glb());
    EXPECT_EQ(read.status, LoadStatus::BadFile);
    EXPECT_EQ(read.problem, "An image of the car is larger than 8192 pixels on a side.");
}

class GltfSideFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::path(::testing::TempDir()) /
                  ("gltf_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_ / "car");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::filesystem::path path = folder_ / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return path.string();
    }
    std::string Write(const std::string& name, const std::string& text) {
        return Write(name, Bytes(text.begin(), text.end()));
    }
    ReadResult Load(const std::string& path) {
        ReadResult result;
        result.status = varnoka::gltf::LoadGltfFile(path, result.model, result.problem);
        return result;
    }

    std::filesystem::path folder_;
};

TEST_F(GltfSideFiles, BinAndImageBesideTheModelAreRead) {
    GltfBuilder b = Square(Textured("OPAQUE"), "{\"uri\":\"paint%20job.png\"}");
    Write("car/body.bin", b.Buffer());
    Write("car/paint job.png", TwoTexels());
    const ReadResult read = Load(Write("car/car.gltf", b.Gltf("body.bin")));
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    EXPECT_EQ(read.model.triangles.size(), 2u);
    EXPECT_EQ(read.model.textures.size(), 1u);
    EXPECT_TRUE(read.model.missingImages.empty());
}

TEST_F(GltfSideFiles, PlusAndEscapesInFileNamesMeanWhatTheySay) {
    GltfBuilder b = Square(Textured("OPAQUE"), "{\"uri\":\"paint+1%25.png\"}");
    Write("car/body+rear.bin", b.Buffer());
    Write("car/paint+1%.png", TwoTexels());
    const ReadResult read = Load(Write("car/car.gltf", b.Gltf("body+rear.bin")));
    ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
    EXPECT_EQ(read.model.textures.size(), 1u);
}

TEST_F(GltfSideFiles, PathsOutsideTheModelsFolderAreNotRead) {
    Write("secret.png", TwoTexels());
    const std::string absolute = (folder_ / "secret.png").generic_string();
    for (const std::string& uri : {std::string("../secret.png"), std::string("..%2Fsecret.png"), absolute,
                                   "file://" + absolute, std::string("C:secret.png")}) {
        GltfBuilder b = Square(Textured("OPAQUE"), "{\"uri\":\"" + uri + "\"}");
        const ReadResult read = Load(Write("car/car.glb", b.Glb()));
        ASSERT_EQ(read.status, LoadStatus::Ok) << read.problem;
        EXPECT_TRUE(read.model.textures.empty()) << uri;
        ASSERT_EQ(read.model.missingImages.size(), 1u);
        EXPECT_EQ(read.model.missingImages[0], uri);
    }
    // A buffer outside is as missing as one that is not there.
    Write("body.bin", Square(Textured("OPAQUE")).Buffer());
    const ReadResult read = Load(Write("car/car.gltf", Square(Textured("OPAQUE")).Gltf("../body.bin")));
    EXPECT_EQ(read.status, LoadStatus::BadFile);
    EXPECT_EQ(read.problem, "A file the car needs beside it is missing or cannot be read: ../body.bin.");
}

// Lengthens a file without writing to it, so that it takes no room on the disk. On Windows through
// the system itself: the C runtime's resize first asks whether the disk has room for the whole
// length, which a nearly full build machine refuses although the file needs none.
::testing::AssertionResult GrowSparse(const std::string& path, std::uint64_t size) {
#ifdef _WIN32
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return ::testing::AssertionFailure() << "open: error " << GetLastError();
    // Only NTFS keeps a file sparse; elsewhere the flag is refused and the file is sparse anyway.
    DWORD returned = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    const bool grown = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!grown) return ::testing::AssertionFailure() << "lengthen: error " << error;
#else
    std::error_code error;
    std::filesystem::resize_file(path, size, error);
    if (error) return ::testing::AssertionFailure() << "lengthen: " << error.message();
#endif
    return ::testing::AssertionSuccess();
}

// A buffer file past what a car's files may hold together is refused before it is read.
TEST_F(GltfSideFiles, SideFilesPastTheLimitTogetherAreRefusedUnread) {
    GltfBuilder b = Square(Textured("OPAQUE"));
    const std::string buffer = Write("car/huge.bin", b.Buffer());
    ASSERT_TRUE(GrowSparse(buffer, varnoka::gltf::MaxTotalFileBytes + 1));
    const ReadResult read = Load(Write("car/car.gltf", b.Gltf("huge.bin")));
    EXPECT_EQ(read.status, LoadStatus::BadFile);
    EXPECT_EQ(read.problem, "The car's files are larger than 256 MB together.");
    std::filesystem::remove(buffer);
}

TEST_F(GltfSideFiles, MissingFileAndMissingModel) {
    const ReadResult read = Load(Write("car/car.gltf", Square(Textured("OPAQUE")).Gltf("gone.bin")));
    EXPECT_EQ(read.status, LoadStatus::BadFile);
    EXPECT_EQ(read.problem, "A file the car needs beside it is missing or cannot be read: gone.bin.");
    EXPECT_EQ(Load((folder_ / "none.glb").string()).status, LoadStatus::FileNotFound);
}

}  // namespace
}  // namespace gltf_test
