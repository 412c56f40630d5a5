// The committed models are what the generator makes, and they suit the saver's scene.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <sstream>

#include "retained/model_file_loading.h"
#include "tests/models/signed_volume.h"
#include "tools/model_generator/car_builder.h"
#include "tools/model_generator/car_designs.h"
#include "tools/model_generator/model_set.h"
#include "tools/xrender/saver_view.h"

namespace varnoka::models {
namespace {

const std::string Models = VARNOKA_MODELS_DIR;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::vector<GeneratedFile>& Generated() {
    static const std::vector<GeneratedFile> files = GenerateModelSet();
    return files;
}

std::string ModelPath(int n) { return Models + "/vk" + std::to_string(n) + ".x"; }

TEST(ModelSet, CommittedFilesAreWhatTheGeneratorMakes) {
    std::set<std::string> expected;
    for (const GeneratedFile& file : Generated()) {
        expected.insert(file.name);
        EXPECT_TRUE(ReadFile(Models + "/" + file.name) == file.bytes)
            << file.name << " differs from the generator's output; run scripts/make-models";
    }
    for (const auto& entry : std::filesystem::directory_iterator(Models)) {
        EXPECT_EQ(expected.count(entry.path().filename().string()), 1u)
            << entry.path() << " is not made by the generator";
    }
    // A second run gives the same bytes: nothing depends on time, addresses or order of a hash.
    const std::vector<GeneratedFile> again = GenerateModelSet();
    ASSERT_EQ(again.size(), Generated().size());
    for (std::size_t i = 0; i < again.size(); ++i) EXPECT_TRUE(again[i].bytes == Generated()[i].bytes) << again[i].name;
}

TEST(ModelSet, EveryModelLoadsWithItsTexturesAndStaysWithinBudget) {
    int textured = 0;
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(ModelPath(n));
        EXPECT_LE(std::filesystem::file_size(ModelPath(n)), 1500000u);
        rm::ModelLoadReport report;
        ASSERT_EQ(ReadModelInfo(ModelPath(n), report), D3DRM_OK);
        EXPECT_GE(report.counts.faces, 2000u);
        EXPECT_LE(report.counts.faces, 15000u);
        EXPECT_TRUE(report.missingTextures.empty());
        if (report.counts.textures > 0) ++textured;
    }
    EXPECT_GE(textured, 3);
}

struct Box {
    rm::Vec3 low{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                 std::numeric_limits<float>::max()};
    rm::Vec3 high{std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest(),
                  std::numeric_limits<float>::lowest()};
};

Box BoundsOf(const rm::MeshData& data) {
    Box box;
    for (const rm::Vec3& p : data.positions) {
        box.low = {std::min(box.low.x, p.x), std::min(box.low.y, p.y), std::min(box.low.z, p.z)};
        box.high = {std::max(box.high.x, p.x), std::max(box.high.y, p.y), std::max(box.high.z, p.z)};
    }
    return box;
}

TEST(ModelSet, CarsAreCentredLongAlongXAndOfOneSize) {
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(ModelPath(n));
        rm::MeshData data;
        ASSERT_EQ(rm::LoadModelFile(ModelPath(n).c_str(), nullptr, nullptr, data, nullptr), D3DRM_OK);
        const Box box = BoundsOf(data);
        EXPECT_NEAR(box.low.x + box.high.x, 0, 0.01);
        EXPECT_NEAR(box.low.y + box.high.y, 0, 0.01);
        EXPECT_NEAR(box.low.z + box.high.z, 0, 0.01);
        const float length = box.high.x - box.low.x;
        EXPECT_NEAR(length, CarLength, 0.01);
        EXPECT_GT(length, 1.6f * (box.high.z - box.low.z));
        EXPECT_GT(length, 1.6f * (box.high.y - box.low.y));
    }
}

double LowestPoint(const Mesh& mesh, const Placement& placement) {
    double low = std::numeric_limits<double>::max();
    for (const Vec3& p : mesh.positions) low = std::min(low, placement.Apply(p).y);
    return low;
}

TEST(ModelSet, FourWheelsStandOnTheGroundAndNothingFacesInwards) {
    std::set<std::tuple<double, double, double>> paints;
    for (const CarDesign& design : AllDesigns()) {
        SCOPED_TRACE(design.name);
        const CarModel car = BuildCar(design);
        paints.insert({design.paint.r, design.paint.g, design.paint.b});
        const Mesh& tyre = car.sharedParts.front().mesh;
        double ground = std::numeric_limits<double>::max();
        for (const PartFrame& frame : car.frames) {
            for (const Part& part : frame.parts) {
                ground = std::min(ground, LowestPoint(part.mesh, frame.placement));
                EXPECT_GT(SignedVolume(part.mesh), 0) << part.name;
            }
        }
        for (const Part& part : car.sharedParts) EXPECT_GT(SignedVolume(part.mesh), 0) << part.name;
        int wheelsDown = 0;
        for (const PartFrame& frame : car.frames) {
            if (frame.name.find("Wheel") == std::string::npos) continue;
            const double low = LowestPoint(tyre, frame.placement);
            if (frame.name == "SpareWheel") {
                EXPECT_GT(low, ground + 0.5);
            } else {
                EXPECT_LT(low, ground + 1e-9);
                ground = std::min(ground, low);
                ++wheelsDown;
            }
        }
        EXPECT_EQ(wheelsDown, 4);
    }
    EXPECT_EQ(paints.size(), 9u);
}

// Columns of the picture that show something other than the background.
double CoveredWidthShare(const SaverViewImage& image) {
    int left = image.width, right = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.pixels[static_cast<std::size_t>(y) * image.width + x] != image.pixels[0]) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return right < left ? 0 : static_cast<double>(right - left + 1) / image.width;
}

TEST(ModelSet, SeenSideOnACarFillsAboutHalfTheView) {
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(ModelPath(n));
        SaverViewImage image;
        ASSERT_EQ(DrawSaverView(ModelPath(n), 160, 120, 0, image), D3DRM_OK);
        const double share = CoveredWidthShare(image);
        EXPECT_GT(share, 0.4);
        EXPECT_LT(share, 0.7);
    }
}

}  // namespace
}  // namespace varnoka::models
