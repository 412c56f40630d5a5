// Each .glb twin draws nearly the picture of its .x file in the saver's own view, at a few
// turns. glTF's materials carry no specular colour: the reader makes a grey one from the
// roughness, so the shipped .x files' highlights differ from their twins'. The same car written
// as .x with that grey draws the twin's picture to within a level or two (a rare pixel where two
// surfaces meet in depth may go the other way); the shipped files differ in their highlights
// only, which a looser bound allows.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/model_generator/car_builder.h"
#include "tools/model_generator/car_designs.h"
#include "tools/model_generator/glb_writer.h"
#include "tools/model_generator/model_set.h"
#include "tools/model_generator/xfile_writer.h"
#include "tools/xrender/saver_view.h"

namespace {

using namespace varnoka::models;

struct Difference {
    int covered = 0;    // pixels either picture draws the car in
    int differing = 0;  // of those, pixels a channel of which moves by more than the allowance
    int largest = 0;    // the largest move of a channel
    double Share() const { return covered ? static_cast<double>(differing) / covered : 0; }
};

Difference Compare(const SaverViewImage& a, const SaverViewImage& b, int allowance) {
    const std::uint32_t background = a.pixels[0];
    Difference d;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        if (a.pixels[i] == background && b.pixels[i] == background) continue;
        ++d.covered;
        int most = 0;
        for (int shift : {0, 8, 16})
            most = std::max(most, std::abs(static_cast<int>((a.pixels[i] >> shift) & 0xFF) -
                                           static_cast<int>((b.pixels[i] >> shift) & 0xFF)));
        d.largest = std::max(d.largest, most);
        if (most > allowance) ++d.differing;
    }
    return d;
}

struct Bounds {
    int allowance;  // a channel may move by this much...
    double share;   // ...in all but this share of the car's pixels
    int largest;    // and no channel anywhere by more than this
};

// Draws the .x file and the twin at a few turns and holds every difference to `bounds`.
void ExpectSamePictures(const std::string& xPath, int car, const Bounds& bounds) {
    const std::string name = "vk" + std::to_string(car);
    for (double yaw : {0.0, 50.0, 130.0, 220.0, 300.0}) {
        SaverViewImage x, glb;
        ASSERT_EQ(DrawSaverView(xPath, 320, 240, yaw, x), D3DRM_OK);
        ASSERT_EQ(DrawSaverView(std::string(VARNOKA_GLTF_TWINS_DIR) + "/" + name + ".glb", 320, 240, yaw, glb),
                  D3DRM_OK);
        ASSERT_EQ(x.pixels.size(), glb.pixels.size());
        const Difference d = Compare(x, glb, bounds.allowance);
        std::printf("%s at %3.0f degrees: %d pixels of the car, %.3f %% differ by more than %d, largest %d\n",
                    xPath.c_str(), yaw, d.covered, 100 * d.Share(), bounds.allowance, d.largest);
        EXPECT_GT(d.covered, 320 * 240 / 20) << "no car drawn";
        EXPECT_LE(d.Share(), bounds.share) << name << " at " << yaw << " degrees";
        EXPECT_LE(d.largest, bounds.largest) << name << " at " << yaw << " degrees";
    }
}

// A folder of its own for files the test writes, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder()
        : path_(std::filesystem::temp_directory_path() / ("varnoka-twins-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = (path_ / name).string();
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

private:
    std::filesystem::path path_;
};

class GlbTwinPicture : public testing::TestWithParam<int> {};

TEST_P(GlbTwinPicture, IsThePictureOfItsCarWrittenAsXWithTheSameHighlights) {
    CarModel car = BuildCar(AllDesigns().at(static_cast<std::size_t>(GetParam() - 1)));
    for (Material& m : car.palette) {
        const double grey = 0.5 * (1 - RoughnessOfPower(m.power));
        m.specular = {grey, grey, grey};
    }
    const TemporaryFolder folder;
    for (const GeneratedFile& file : GenerateModelSet())
        if (file.name.size() > 4 && file.name.compare(file.name.size() - 4, 4, ".bmp") == 0)
            folder.Write(file.name, file.bytes);
    const std::string x = folder.Write(car.name + ".x", WriteXFileText(car));
    ExpectSamePictures(x, GetParam(), {4, 0.001, 32});
}

TEST_P(GlbTwinPicture, IsThePictureOfItsShippedXFileButForHighlights) {
    ExpectSamePictures(std::string(VARNOKA_MODELS_DIR) + "/vk" + std::to_string(GetParam()) + ".x", GetParam(),
                       {24, 0.35, 160});
}

INSTANTIATE_TEST_SUITE_P(OurCars, GlbTwinPicture, testing::ValuesIn(GlbTwinCars),
                         [](const testing::TestParamInfo<int>& info) { return "vk" + std::to_string(info.param); });

}  // namespace
