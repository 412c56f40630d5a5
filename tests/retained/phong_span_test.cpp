// Phong spans light their pixels four at a time, gathered across the rows of a face: the batched
// paths against the same pixels lit and painted one by one.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "retained/pipeline/phong_shading.h"

namespace {

using namespace varnoka::rm;

// A glossy red material under a white light from the upper left, seen through a 64 x 48 view.
struct LitScene {
    LitScene() {
        material.faceColor = {0.8f, 0.1f, 0.1f};
        material.power = 12;
        material.specular = {1, 1, 1};
        material.emissive = {0.05f, 0, 0};
        lights.ambient = {0.2f, 0.2f, 0.2f};
        lights.directional.push_back({NormalizedOr(Vec3{1, -1, 1}, Vec3{0, 0, 1}), {1, 1, 1}});
        projection.rect = {0, 0, Width, Height};
        projection.scale = 40;
        projection.centerX = Width / 2.0f;
        projection.centerY = Height / 2.0f;
        FillThresholds(ramps, true);
    }
    static constexpr int Width = 64, Height = 48;
    CompiledMaterial material{};
    LightSet lights;
    Projection projection;
    Ramps ramps;
};

// When the waiting pixels are lit: when four wait, also after each row, or after each pixel.
enum class Lit { AcrossRows, RowByRow, PixelByPixel };

// Spans of many lengths over many rows, their normals swinging across the light from row to row
// and pixel to pixel, some pixels hidden behind what is drawn.
template <class Shader>
std::vector<std::uint32_t> DrawSpans(const Shader& shader, Lit lit) {
    std::vector<std::uint32_t> color(LitScene::Width * LitScene::Height, 0xABCDEF);
    std::vector<float> depth(color.size(), 1.0f);
    for (std::size_t i = 0; i < depth.size(); i += 7) depth[i] = 0.0f;
    for (int y = 0; y < LitScene::Height; ++y) {
        const int first = (y * 5) % 13, last = first + y % 11;
        float a[AttributeCount] = {}, step[AttributeCount] = {};
        a[Depth] = 0.5f;
        step[Depth] = 0.001f;
        a[InverseW] = 1.0f;
        a[UOverW] = 0.1f * static_cast<float>(y);
        step[UOverW] = 0.07f;
        a[VOverW] = 0.3f;
        step[VOverW] = 0.05f;
        a[NormalOverW] = std::sin(static_cast<float>(y)) - 0.5f;
        a[NormalOverW + 1] = std::cos(static_cast<float>(y) * 0.7f);
        a[NormalOverW + 2] = -1.0f;
        step[NormalOverW] = 0.15f;
        step[NormalOverW + 1] = -0.1f;
        float* depthRow = depth.data() + y * LitScene::Width;
        std::uint32_t* colorRow = color.data() + y * LitScene::Width;
        if (lit != Lit::PixelByPixel) {
            shader.Span(first, last, y, a, step, depthRow, colorRow);
            if (lit == Lit::RowByRow) shader.Finish();
            continue;
        }
        for (int x = first; x <= last; ++x) {
            float at[AttributeCount];
            for (int i = 0; i < AttributeCount; ++i) at[i] = a[i] + step[i] * static_cast<float>(x - first);
            // One pixel's span starts at that pixel; normals and depth are then the same bits.
            at[Depth] = a[Depth] + step[Depth] * static_cast<float>(x - first);
            shader.Span(x, x, y, at, step, depthRow, colorRow);
            shader.Finish();
        }
    }
    shader.Finish();
    return color;
}

TEST(PhongSpan, PixelsLitTogetherAcrossRowsMatchPixelsLitOneByOne) {
    const LitScene scene;
    for (bool mono : {false, true}) {
        const ColorModel model = mono ? ColorModel::Mono : ColorModel::Rgb;
        const PixelLight light(SurfaceLight(scene.material, scene.lights, model, true), scene.projection);
        std::vector<std::uint32_t> together, oneByOne;
        if (mono) {
            const PhongShader<MonoPaint> shader(light, {&scene.ramps, scene.material.faceColor});
            together = DrawSpans(shader, Lit::AcrossRows);
            oneByOne = DrawSpans(shader, Lit::PixelByPixel);
        } else {
            const PhongShader<RgbPaint> shader(light, {&scene.ramps});
            together = DrawSpans(shader, Lit::AcrossRows);
            oneByOne = DrawSpans(shader, Lit::PixelByPixel);
        }
        int lit = 0, distinct = 0;
        for (std::size_t i = 0; i < together.size(); ++i) {
            ASSERT_EQ(together[i], oneByOne[i]) << "pixel " << i % LitScene::Width << ", " << i / LitScene::Width;
            lit += together[i] != 0xABCDEF;
            distinct += i > 0 && together[i] != together[i - 1];
        }
        EXPECT_GT(lit, 150) << "mono " << mono;
        EXPECT_GT(distinct, 100) << "mono " << mono;  // the light differs from pixel to pixel
    }
}

// Texels step along a whole span, so here each row's pixels are lit apart from other rows'.
TEST(PhongSpan, TexturedPixelsLitTogetherMatchPixelsLitRowByRow) {
    const LitScene scene;
    std::vector<std::uint32_t> texels(16 * 16);
    std::mt19937 random(3);
    for (std::uint32_t& t : texels) t = random() & 0xFFFFFF;
    TextureSampler sampler(nullptr);
    sampler.texels = texels.data();
    sampler.width = sampler.height = 16;
    sampler.powerOfTwo = true;
    sampler.widthShift = 4;
    sampler.fwidth = sampler.fheight = 16.0f;
    const PixelLight light(SurfaceLight(scene.material, scene.lights, ColorModel::Rgb, true), scene.projection);
    const PhongShader<RgbTexelPaint, Texels::Nearest> shader(light, {&scene.ramps}, sampler);
    const std::vector<std::uint32_t> together = DrawSpans(shader, Lit::AcrossRows);
    const std::vector<std::uint32_t> rowByRow = DrawSpans(shader, Lit::RowByRow);
    int lit = 0;
    for (std::size_t i = 0; i < together.size(); ++i) {
        ASSERT_EQ(together[i], rowByRow[i]) << "pixel " << i % LitScene::Width << ", " << i / LitScene::Width;
        lit += together[i] != 0xABCDEF;
    }
    EXPECT_GT(lit, 150);
}

// The RGB paints four at a time against one at a time, over light outside [0, 1] and NaN.
TEST(PhongSpan, FourPaintsGiveTheBitsOfOne) {
    const LitScene scene;
    std::mt19937 random(11);
    std::uniform_real_distribution<float> anyLight(-0.5f, 1.5f);
    for (int trial = 0; trial < 2000; ++trial) {
        PixelLight::Batch batch;
        batch.size = 1 + trial % 4;
        std::uint32_t four[2][4] = {}, one[2][4] = {};
        for (int i = 0; i < 4; ++i) {
            for (int c = 0; c < 3; ++c) batch.light[c][i] = trial % 17 == i ? NAN : anyLight(random);
            batch.dither[i] = static_cast<int>(random() % 16);
            batch.texel[i] = random() & 0xFFFFFF;
        }
        const auto paintBoth = [&](const auto& paint, int k) {
            for (int i = 0; i < 4; ++i) batch.pixel[i] = &four[k][i];
            PaintBatch(paint, batch);
            for (int i = 0; i < 4; ++i) batch.pixel[i] = &one[k][i];
            PaintBatch<std::decay_t<decltype(paint)>>(paint, batch);
        };
        paintBoth(RgbPaint{&scene.ramps}, 0);
        paintBoth(RgbTexelPaint{&scene.ramps}, 1);
        for (int k = 0; k < 2; ++k)
            for (int i = 0; i < 4; ++i) ASSERT_EQ(four[k][i], one[k][i]) << "trial " << trial << " paint " << k;
    }
}

}  // namespace
