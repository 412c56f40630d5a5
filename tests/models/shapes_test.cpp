// The solids cars are made of must face outwards, or the engine culls their visible side.
#include <gtest/gtest.h>

#include "retained/imagefile/image_reader.h"
#include "tests/models/signed_volume.h"
#include "tools/model_generator/shapes.h"
#include "tools/model_generator/texture_image.h"
#include "tools/model_generator/textures.h"

namespace varnoka::models {
namespace {

TEST(ModelShapes, ClosedSolidsFaceOutwards) {
    EXPECT_GT(SignedVolume(MakeRoundedBox({{1, 0.5, 2}, 0.3, 12, 6}, 0)), 0);
    Lathe ring;
    ring.profile = {{0.5, -1, 0}, {1, -1, 0}, {1, 1, 1}, {0.5, 1, 1}};
    ring.textured = true;
    EXPECT_GT(SignedVolume(MakeLathe(ring, [](std::size_t) { return 0u; })), 0);
    Lathe capped;
    capped.profile = {{0, -1, 0}, {1, -1, 0}, {1, 1, 0}, {0, 1, 0}};
    EXPECT_GT(SignedVolume(MakeLathe(capped, [](std::size_t) { return 0u; })), 0);
}

TEST(ModelShapes, TexturesReadBackAsWritten) {
    const TextureImage plate = PlateTexture("VK-01", {235, 235, 225});
    const std::string bytes = EncodeBmp(plate);
    imagefile::Image image;
    ASSERT_EQ(imagefile::ReadImage(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), image),
              LoadStatus::Ok);
    ASSERT_EQ(image.width, 128u);
    ASSERT_EQ(image.height, 32u);
    for (int y = 0; y < plate.height; y += 7) {
        const Rgb& p = plate.pixels[static_cast<std::size_t>(y) * 128 + 40];
        const std::uint8_t* q = &image.rgba[(static_cast<std::size_t>(y) * 128 + 40) * 4];
        EXPECT_EQ(q[0], p.r);
        EXPECT_EQ(q[1], p.g);
        EXPECT_EQ(q[2], p.b);
    }
}

}  // namespace
}  // namespace varnoka::models
