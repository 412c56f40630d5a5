#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "picture_fixture.h"
#include "retained/model_file_loading.h"
#include "scene/build_scene.h"
#include "scene/fit_to_view.h"
#include "scene/model_shelf.h"
#include "scene/render_frame.h"
#include "settings/own_cars.h"
#include "settings/random_generator.h"

namespace fs = std::filesystem;
using varnoka::rm::MeshData;
using varnoka::rm::Vec3;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A folder of the test's own, gone again afterwards.
class CarFolder {
public:
    CarFolder() : path_(fs::temp_directory_path() / ("varnoka-own-cars-" + std::to_string(getpid()))) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~CarFolder() { fs::remove_all(path_); }
    const fs::path& Path() const { return path_; }
    // One of the nine under another name, with the textures it names beside it.
    void AddCopyOf(const char* model, const std::string& name) const {
        fs::copy_file(fs::path(VARNOKA_MODELS_DIR) / model, path_ / name, fs::copy_options::overwrite_existing);
        for (const char* texture : {"vk3plate.bmp", "vkgrille.bmp", "vktread.bmp"})
            fs::copy_file(fs::path(VARNOKA_MODELS_DIR) / texture, path_ / texture, fs::copy_options::skip_existing);
    }

private:
    fs::path path_;
};

struct Box {
    Vec3 low{1e30f, 1e30f, 1e30f}, high{-1e30f, -1e30f, -1e30f};
    Vec3 Size() const { return high - low; }
    Vec3 Centre() const { return (low + high) * 0.5f; }
};

Box BoxOf(const MeshData& mesh) {
    Box box;
    for (const Vec3& p : mesh.positions) {
        box.low = {std::min(box.low.x, p.x), std::min(box.low.y, p.y), std::min(box.low.z, p.z)};
        box.high = {std::max(box.high.x, p.x), std::max(box.high.y, p.y), std::max(box.high.z, p.z)};
    }
    return box;
}

// A wedge as a loader gives a glTF car: its nose (the low, thin end) towards -z, clockwise faces,
// in millimetres, far from the origin.
MeshData WedgeCar(Vec3 size, Vec3 at) {
    MeshData mesh;
    const float x = size.x / 2, y = size.y, z = size.z / 2;
    const Vec3 corners[] = {{-x, 0, -z}, {x, 0, -z}, {-x, 0, z}, {x, 0, z}, {-x, y, z}, {x, y, z}};
    for (const Vec3& c : corners) mesh.positions.push_back(c + at);
    const std::uint32_t faces[][3] = {{0, 2, 3}, {0, 3, 1}, {2, 4, 5}, {2, 5, 3},
                                      {0, 1, 5}, {0, 5, 4}, {0, 4, 2}, {1, 3, 5}};
    for (const auto& f : faces) mesh.faces.push_back({{f[0], f[1], f[2]}, {}, 0});
    return mesh;
}

// Six times the volume; positive when every face's front is outside (clockwise from the front,
// in left-handed space).
double SignedVolume(const MeshData& mesh) {
    double volume = 0;
    for (const auto& face : mesh.faces) {
        const Vec3 a = mesh.positions[face.positions[0]], b = mesh.positions[face.positions[1]],
                   c = mesh.positions[face.positions[2]];
        volume += Dot(a, Cross(c, b));
    }
    return volume;
}

TEST(FitToView, AnyCarStandsWhereTheNineStand) {
    // Millimetres, facing -z as read, far off centre.
    MeshData car = WedgeCar({1800, 1400, 4500}, {1000, 700, -3000});
    const double volume = SignedVolume(car);
    ASSERT_GT(volume, 0);
    FitToView(car);
    Box box = BoxOf(car);
    EXPECT_NEAR(box.Size().x, FittedCarLength, 1e-3) << "the length lies along x, as the nine's";
    EXPECT_NEAR(box.Size().z, 9.0 * 1800 / 4500, 1e-3);
    EXPECT_NEAR(box.Size().y, 9.0 * 1400 / 4500, 1e-3) << "scaled alike in every direction";
    EXPECT_NEAR(box.Centre().x, 0, 1e-3);
    EXPECT_NEAR(box.Centre().z, 0, 1e-3);
    EXPECT_NEAR(box.low.y, FittedGroundY, 1e-3);
    EXPECT_GT(SignedVolume(car), 0) << "turned, not mirrored: faces keep their fronts outside";
    // The nose (positions 0 and 1, at -z as read) now points along +x.
    EXPECT_NEAR(car.positions[0].x, box.high.x, 1e-3);
    EXPECT_NEAR(car.positions[1].x, box.high.x, 1e-3);
    // Nose-left corner: as read, x < 0 with the car looking along -z is its right; facing +x its
    // right is -z.
    EXPECT_LT(car.positions[0].z, 0);

    // A car whose length lies across after the turn is turned a quarter more.
    MeshData across = WedgeCar({4.0f, 1.5f, 1.8f}, {});
    FitToView(across);
    box = BoxOf(across);
    EXPECT_NEAR(box.Size().x, FittedCarLength, 1e-3);
    EXPECT_GT(SignedVolume(across), 0);

    // One made with z up stands taller than it is long: it is laid down first.
    MeshData standing = WedgeCar({1.8f, 1.5f, 4.5f}, {});
    for (Vec3& p : standing.positions) p = {p.x, -p.z, p.y};
    FitToView(standing);
    box = BoxOf(standing);
    EXPECT_NEAR(box.Size().x, FittedCarLength, 1e-3);
    EXPECT_LT(box.Size().y, 4.0f);
    EXPECT_GT(SignedVolume(standing), 0);

    // A tall, short thing is held to the tallest of the nine.
    MeshData tower = WedgeCar({2, 3, 4}, {});
    FitToView(tower);
    EXPECT_NEAR(BoxOf(tower).Size().y, FittedMaxHeight, 1e-3);
    EXPECT_LT(BoxOf(tower).Size().x, FittedCarLength);
}

TEST(FitToView, NormalsTurnWithTheCarAndDegenerateMeshesStayFinite) {
    MeshData car = WedgeCar({2, 1, 4}, {});
    car.normals = {{0, 0, -1}};  // the nose's way
    for (auto& face : car.faces) face.normals = {0, 0, 0};
    FitToView(car);
    EXPECT_NEAR(car.normals[0].x, 1, 1e-6);
    EXPECT_NEAR(Length(car.normals[0]), 1, 1e-6);

    MeshData point;
    point.positions = {{5, 5, 5}, {5, 5, 5}, {5, 5, 5}};
    point.faces = {{{0, 1, 2}, {}, 0}};
    FitToView(point);
    for (const Vec3& p : point.positions) {
        EXPECT_TRUE(IsFinite(p));
        EXPECT_NEAR(p.y, FittedGroundY, 1e-6);
    }
    MeshData empty;
    FitToView(empty);
    EXPECT_TRUE(empty.positions.empty());
}

TEST(OwnCars, TheFolderListsItsCarFilesSortedByNameWithoutExtension) {
    CarFolder folder;
    for (const char* name : {"b car.glb", "A car.GLTF", "c.x", "notes.txt", "scene.bin", ".hidden.glb", "x", "d.X"})
        WriteFile(folder.Path() / name, "");
    fs::create_directory(folder.Path() / "sub.glb");
    std::vector<std::string> labels, files;
    for (const OwnCar& car : ListOwnCars(folder.Path().string())) {
        labels.push_back(car.label);
        files.push_back(car.fileName);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"A car", "b car", "c", "d"}));
    EXPECT_EQ(files, (std::vector<std::string>{"A car.GLTF", "b car.glb", "c.x", "d.X"}));
    EXPECT_TRUE(ListOwnCars((folder.Path() / "missing").string()).empty());
    EXPECT_TRUE(ListOwnCars("").empty());
}

class OwnCarTest : public PictureTest {
protected:
    void SetUp() override {
        PictureTest::SetUp();
        saverSettings.randomModels = 0;
        saverSettings.modelIndex = 2;
        lastSwitchTick = 0;
    }
    void TearDown() override {
        PictureTest::TearDown();
        PlaceModelsFrom({VARNOKA_MODELS_DIR});
    }
    void Choose(const char* fileName) {
        std::snprintf(saverSettings.ownCar, sizeof saverSettings.ownCar, "%s", fileName);
    }
    CarFolder folder;
};

uint32_t SwitchTick() { return 1000; }

TEST_F(OwnCarTest, TheChosenCarIsShownAfterTheNineAndFallsBackWhenItsFileIsGone) {
    folder.AddCopyOf("vk3.x", "Mine.x");
    PlaceOwnCars(folder.Path().string());
    ASSERT_EQ(ShelfCount(), ModelCount + 1);
    EXPECT_EQ(OwnCarLabel(ModelCount), "Mine");

    Choose("Gone.glb");
    ChooseFirstCar();
    EXPECT_EQ(saverSettings.modelIndex, 2) << "a stored own car whose file is gone gives way to CARS";

    Choose("Mine.x");
    ChooseFirstCar();
    EXPECT_EQ(saverSettings.modelIndex, ModelCount);
    ASSERT_EQ(Open(), PictureStep::Ready);
    Draw();
    EXPECT_GT(PixelsNot(0), 200);
}

TEST_F(OwnCarTest, AnOwnCarIsFittedWhileTheNineAreNot) {
    folder.AddCopyOf("vk3.x", "Mine.x");
    MeshData ours;
    ASSERT_EQ(varnoka::rm::LoadModelFile(ModelPath(2), nullptr, nullptr, ours, nullptr), D3DRM_OK);
    // Loaded the way the saver loads own cars, the copy stands on the common ground line; turned
    // back to where it was, it is the same car.
    MeshData own;
    ASSERT_EQ(varnoka::rm::LoadModelFile((folder.Path() / "Mine.x").c_str(), nullptr, nullptr, own, nullptr), D3DRM_OK);
    FitToView(own);
    const Box oursBox = BoxOf(ours), ownBox = BoxOf(own);
    EXPECT_NEAR(ownBox.low.y, FittedGroundY, 1e-4);
    EXPECT_NEAR(ownBox.Size().x, oursBox.Size().x, 1e-3);
    EXPECT_NEAR(ownBox.Size().z, oursBox.Size().z, 1e-3);
    EXPECT_NEAR(oursBox.Centre().y, 0, 1e-4) << "the nine are centred as made";
}

TEST_F(OwnCarTest, ACarThatCannotBeReadIsReportedOnlyWhenChosenAndLeftOutOfSwitching) {
    folder.AddCopyOf("vk3.x", "Good.x");
    WriteFile(folder.Path() / "Broken.glb", std::string("glTF\x02\0\0\0\xff\0\0\0", 12));
    PlaceOwnCars(folder.Path().string());
    const int32_t broken = ModelCount, good = ModelCount + 1;
    ASSERT_EQ(OwnCarLabel(broken), "Broken");

    Choose("Broken.glb");
    ChooseFirstCar();
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(Open(), PictureStep::Ready) << "the saver goes on with the stored one of the nine";
    const std::string report = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("Your car \"Broken\" cannot be shown.\nThe .glb file is cut short."), std::string::npos)
        << report;
    EXPECT_EQ(saverSettings.modelIndex, 2);
    EXPECT_TRUE(ModelUnreadable(broken));

    // Random switching goes through the nine and the readable own car alike, never the broken one,
    // and says nothing more.
    saverSettings.randomModels = 1;
    SeedRandom(777);
    std::set<int32_t> seen;
    ::testing::internal::CaptureStderr();
    for (int i = 0; i < 60; ++i) {
        const int32_t previous = saverSettings.modelIndex;
        ASSERT_EQ(SwitchModel(viewerContext, SwitchTick), D3DRM_OK);
        EXPECT_NE(saverSettings.modelIndex, previous);
        seen.insert(saverSettings.modelIndex);
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(seen.count(broken), 0u);
    EXPECT_EQ(seen.count(good), 1u);
    EXPECT_EQ(seen.size(), static_cast<size_t>(ModelCount + 1));
}

TEST_F(OwnCarTest, ACarThatFailsUnchosenGivesWayWithoutABox) {
    WriteFile(folder.Path() / "Broken.x", "xof 0303txt 0032\nMesh {");
    PlaceOwnCars(folder.Path().string());
    saverSettings.randomModels = 1;
    // The first random pick among all ten falls on the broken car for some seed.
    for (uint32_t seed = 1;; ++seed) {
        SeedRandom(seed);
        saverSettings.modelIndex = 2;
        ChooseFirstCar();
        if (saverSettings.modelIndex == ModelCount) break;
    }
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(Open(), PictureStep::Ready);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(saverSettings.modelIndex, 2);
    EXPECT_TRUE(ModelUnreadable(ModelCount));
}

}  // namespace
