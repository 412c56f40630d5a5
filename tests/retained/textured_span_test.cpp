// The fast paths of lit spans against the plain arithmetic they stand for.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "retained/pipeline/textured_span.h"

namespace {

using namespace varnoka::rm;

TEST(LitTexelRun, FourAtATimeDrawsTheSameBitsAsOneByOne) {
    std::mt19937 random(5);
    std::uniform_int_distribution<std::uint32_t> anyTexel(0, 0xFFFFFF);
    std::uniform_real_distribution<float> depthValue(0.0f, 1.0f);
    int drawn = 0, hidden = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        const int count = 1 + trial % PerspectiveRun;
        std::uint32_t texels[64];
        for (std::uint32_t& t : texels) t = anyTexel(random);
        std::uint32_t texelIndex[PerspectiveRun];
        for (std::uint32_t& i : texelIndex) i = random() % 64;
        // Light from the ends of [0, 1] and in between, stepping so that it stays inside.
        LitRun run{depthValue(random), (depthValue(random) - 0.5f) * 0.01f, {}, {}, nullptr};
        for (int c = 0; c < 3; ++c) {
            const int start = trial % 3 == 0 ? 65536 : static_cast<int>(random() % 65537);
            const int end = trial % 5 == 0 ? 0 : static_cast<int>(random() % 65537);
            run.light[c] = start;
            run.lightStep[c] = count > 1 ? (end - start) / (count - 1) : 0;
        }
        const int thresholds[4] = {65535, 0, static_cast<int>(random() % 65536), 32768};
        run.thresholds = thresholds;
        std::vector<float> depth(count), depthOneByOne;
        for (float& d : depth) d = trial % 7 == 0 ? NAN : depthValue(random);
        depthOneByOne = depth;
        std::vector<std::uint32_t> color(count, 0xABCDEF), colorOneByOne(count, 0xABCDEF);

        // The same texels one per pixel in order, as linear filtering gives them.
        std::uint32_t inOrder[PerspectiveRun];
        for (int i = 0; i < count; ++i) inOrder[i] = texels[texelIndex[i]];
        std::vector<float> depthInOrder = depth;
        std::vector<std::uint32_t> colorInOrder = color;

        ShadeLitTexels(run, texels, texelIndex, count, depth.data(), color.data());
        ShadeLitTexelsOneByOne(run, texels, texelIndex, 0, count, depthOneByOne.data(), colorOneByOne.data());
        ShadeLitTexels(run, inOrder, nullptr, count, depthInOrder.data(), colorInOrder.data());
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(color[i], colorOneByOne[i]) << "trial " << trial << " pixel " << i;
            ASSERT_EQ(colorInOrder[i], colorOneByOne[i]) << "trial " << trial << " pixel " << i;
            ASSERT_TRUE(depth[i] == depthOneByOne[i] || (std::isnan(depth[i]) && std::isnan(depthOneByOne[i])));
            (color[i] == 0xABCDEF ? hidden : drawn) += 1;
        }
    }
    // Both outcomes of the depth test were exercised.
    EXPECT_GT(drawn, 10000);
    EXPECT_GT(hidden, 10000);
}

TEST(GouraudSpan, ChannelsSaturateAndRoundByTheDitherOffset) {
    EXPECT_EQ(PackUnit(NAN, -1.0f, 2.0f, 0.99f), 0x0000FFu);
    EXPECT_EQ(PackUnit(0.5f, 0.5f, 0.5f, 0.5f), 0x808080u);  // 127.5 rounds up
    EXPECT_EQ(PackUnit(0.5f, 1.0f, 0.0f, 0.49f), 0x7FFF00u);
    EXPECT_EQ(PackUnit(1.0f, 1e30f, -0.0f, 0.999f), 0xFFFF00u);
}

TEST(GouraudSpan, FourPixelsAtOnceDrawTheSameBitsAsOneAtATime) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> value(-0.2f, 1.2f);  // beyond [0, 1] at times: clamped
    Ramps ramps;
    FillThresholds(ramps, true);
    const RgbShader shader(&ramps);
    int drawn = 0;
    for (int trial = 0; trial < 500; ++trial) {
        const int length = 1 + trial % 97;
        float a[AttributeCount] = {}, step[AttributeCount] = {};
        a[Depth] = value(random);
        step[Depth] = (value(random) - 0.5f) * 0.01f;
        for (int c = Red; c <= Blue; ++c) {
            a[c] = trial % 11 == 0 ? NAN : value(random);
            step[c] = (value(random) - 0.5f) * 0.02f;
        }
        std::vector<float> depth(length), depthOneByOne;
        for (float& d : depth) d = value(random);
        depthOneByOne = depth;
        std::vector<std::uint32_t> color(length, 0xABCDEF), colorOneByOne(length, 0xABCDEF);
        shader.Span(0, length - 1, trial, a, step, depth.data(), color.data());
        shader.PerPixelSpan<RgbShader, Red, Green, Blue>::Span(0, length - 1, trial, a, step, depthOneByOne.data(),
                                                               colorOneByOne.data());
        for (int i = 0; i < length; ++i) {
            ASSERT_EQ(color[i], colorOneByOne[i]) << "trial " << trial << " pixel " << i;
            ASSERT_EQ(depth[i], depthOneByOne[i]);
            drawn += color[i] != 0xABCDEF;
        }
    }
    EXPECT_GT(drawn, 5000);
}

TEST(LinearFilter, ChannelsAndPixelsAtOnceBlendAsOneAtATime) {
    std::mt19937 random(3);
    for (int trial = 0; trial < 200000; ++trial) {
        std::uint32_t texel[4];
        for (std::uint32_t& t : texel) t = static_cast<std::uint32_t>(random());  // with whatever lies above
        // The extremes of texels and weights come up often.
        if (trial % 5 == 0) texel[trial % 4] |= 0xFFFFFF;
        if (trial % 7 == 0) texel[trial % 3] &= 0xFF000000u;
        const int wx = trial % 11 == 0 ? 255 : static_cast<int>(random() % 256);
        const int wy = trial % 13 == 0 ? 0 : static_cast<int>(random() % 256);
        const std::uint32_t plain = BlendTexelsPlain(texel[0], texel[1], texel[2], texel[3], wx, wy);
        ASSERT_EQ(BlendTexels(texel[0], texel[1], texel[2], texel[3], wx, wy), plain) << "trial " << trial;
#if defined(__SSE2__)
        // Beside a pixel of other texels and weights, in either place of a pair.
        const std::uint32_t other[4] = {texel[3], texel[0], texel[2], texel[1]};
        const int otherX = 255 - wx, otherY = (wy * 7) % 256;
        const std::uint32_t otherPlain = BlendTexelsPlain(other[0], other[1], other[2], other[3], otherX, otherY);
        std::uint32_t pair[2];
        const TexelQuad quad{texel, texel + 2, wx, wy}, otherQuad{other, other + 2, otherX, otherY};
        BlendTexelPair(quad, otherQuad, pair);
        ASSERT_EQ(pair[0], plain) << "trial " << trial;
        ASSERT_EQ(pair[1], otherPlain) << "trial " << trial;
        BlendTexelPair(otherQuad, quad, pair);
        ASSERT_EQ(pair[0], otherPlain) << "trial " << trial;
        ASSERT_EQ(pair[1], plain) << "trial " << trial;
#endif
    }
}

TEST(LitTexelRun, FullLightShowsTheTexelWhateverTheDither) {
    const std::uint32_t texels[1] = {0xFF8001};
    const std::uint32_t texelIndex[PerspectiveRun] = {};
    const int thresholds[4] = {0, 4096, 63488, 65535};
    const LitRun run{0.0f, 0.0f, {65536, 65536, 65536}, {0, 0, 0}, thresholds};
    std::vector<float> depth(PerspectiveRun, 1.0f);
    std::vector<std::uint32_t> color(PerspectiveRun, 0);
    ShadeLitTexels(run, texels, texelIndex, PerspectiveRun, depth.data(), color.data());
    for (std::uint32_t c : color) EXPECT_EQ(c, 0xFF8001u);
}

// A 256 x 256 texture whose texels name their own column (green) and row (blue).
class CoordinateTexture {
public:
    CoordinateTexture() {
        std::vector<std::uint32_t> pixels(256 * 256);
        for (std::uint32_t y = 0; y < 256; ++y)
            for (std::uint32_t x = 0; x < 256; ++x) pixels[y * 256 + x] = (x << 8) | y;
        texture_ = ComRef<Texture>::Adopt(new Texture(256, 256, std::move(pixels)));
    }
    const Texture* Get() const { return texture_.Get(); }

private:
    ComRef<Texture> texture_;
};

// Distance between two texel columns or rows on a texture that repeats every 256.
int WrappedDistance(int a, int b) {
    const int d = std::abs(a - b) % 256;
    return d > 128 ? 256 - d : d;
}

TEST(TexturedSpan, PerspectiveRunsStayWithinATexelOfTheExactDivision) {
    const CoordinateTexture texture;
    Ramps ramps;
    FillThresholds(ramps, true);
    const RgbTextureShader<false> shader{&ramps, TextureSampler(texture.Get())};
    // A floor running away from the eye: over 300 pixels 1/w halves, each pixel covering up to
    // about 1.6 texels. Between the exact divisions the straight steps must not stray by a texel;
    // at the divisions, and at the span's last pixel, they are exact.
    const float a[AttributeCount] = {0.5f, 1.0f, 0.25f, 0.5f, 1.0f, 1.0f, 1.0f};
    const float step[AttributeCount] = {0.0f, -0.5f / 300.0f, 0.3f / 256.0f, 0.2f / 256.0f, 0.0f, 0.0f, 0.0f};
    const PerspectiveTexelWalk walk(a, step, TextureSampler(texture.Get()));
    for (int width : {1, 2, 16, 17, 33, 300}) {
        std::vector<float> depth(width, 1.0f);
        std::vector<std::uint32_t> color(width, 0);
        shader.Span(0, width - 1, 0, a, step, depth.data(), color.data());
        for (int x = 0; x < width; ++x) {
            std::int64_t u = 0, v = 0;
            walk.Sample(x, u, v);
            const int exactColumn = static_cast<int>((u >> 16) & 255), exactRow = static_cast<int>((v >> 16) & 255);
            const int column = static_cast<int>((color[x] >> 8) & 255), row = static_cast<int>(color[x] & 255);
            ASSERT_LE(WrappedDistance(column, exactColumn), 1) << "width " << width << " pixel " << x;
            ASSERT_LE(WrappedDistance(row, exactRow), 1) << "width " << width << " pixel " << x;
            if (x % PerspectiveRun == 0 || x == width - 1) {
                EXPECT_EQ(column, exactColumn) << "width " << width << " pixel " << x;
                EXPECT_EQ(row, exactRow) << "width " << width << " pixel " << x;
            }
        }
    }
}

TEST(TexturedSpan, LinearFilteringInRunsMatchesTheExactBlend) {
    // Channels rising and falling by 8 a texel, without a hard edge at which a fraction of a
    // texel would make a large difference.
    std::vector<std::uint32_t> ramps(256 * 256);
    const auto wave = [](std::uint32_t i) { return 8 * std::min(i % 32, 31 - i % 32); };
    for (std::uint32_t y = 0; y < 256; ++y)
        for (std::uint32_t x = 0; x < 256; ++x) ramps[y * 256 + x] = wave(x) << 8 | wave(y);
    const ComRef<Texture> texture = ComRef<Texture>::Adopt(new Texture(256, 256, std::move(ramps)));
    const TextureSampler sampler(texture.Get());
    Ramps dither;
    FillThresholds(dither, true);
    const RgbTextureShader<true> shader{&dither, sampler};
    // The same receding floor, magnified so that neighbouring texels blend.
    const float a[AttributeCount] = {0.5f, 1.0f, 0.25f, 0.5f, 1.0f, 1.0f, 1.0f};
    const float step[AttributeCount] = {0.0f, -0.5f / 300.0f, 0.05f / 256.0f, 0.03f / 256.0f, 0.0f, 0.0f, 0.0f};
    const PerspectiveTexelWalk walk(a, step, sampler);
    std::vector<float> depth(300, 1.0f);
    std::vector<std::uint32_t> color(300, 0);
    shader.Span(0, 299, 0, a, step, depth.data(), color.data());
    int blended = 0;
    for (int x = 0; x < 300; ++x) {
        std::int64_t u = 0, v = 0;
        walk.Sample(x, u, v);
        const std::uint32_t exact =
            sampler.Linear(static_cast<float>(u) / 65536.0f / 256.0f, static_cast<float>(v) / 65536.0f / 256.0f);
        // Exact divisions blend as the exact filter does; between them coordinates stray by a
        // fraction of a texel.
        const int tolerance = x % PerspectiveRun == 0 || x == 299 ? 1 : 3;
        for (int shift = 0; shift <= 8; shift += 8)
            ASSERT_LE(std::abs(static_cast<int>((color[x] >> shift) & 255) - static_cast<int>((exact >> shift) & 255)),
                      tolerance)
                << "pixel " << x;
        blended += (color[x] & 7) != 0;  // texels are multiples of 8
    }
    EXPECT_GT(blended, 100);
}

TEST(TexturedSpan, LinearFilteringWrapsAtTheTexturesEdges) {
    // A 4 x 4 texture whose red grows along a row and whose blue grows down a column, so that a
    // blend with a texel of the wrong row or column shows.
    std::vector<std::uint32_t> texels(16);
    for (std::uint32_t y = 0; y < 4; ++y)
        for (std::uint32_t x = 0; x < 4; ++x) texels[y * 4 + x] = (60 * x) << 16 | (80 * y);
    const ComRef<Texture> texture = ComRef<Texture>::Adopt(new Texture(4, 4, std::move(texels)));
    const TextureSampler sampler(texture.Get());
    Ramps dither;
    FillThresholds(dither, true);
    const RgbTextureShader<true> shader{&dither, sampler};
    // Full light, so that pixels are the blended texels; the span crosses the right edge, then the
    // bottom edge, of the repeating texture.
    for (const float startV : {1.3f / 4.0f, 3.6f / 4.0f}) {
        const float a[AttributeCount] = {0.5f, 1.0f, 1.0f + 3.2f / 4.0f, 1.0f + startV, 1.0f, 1.0f, 1.0f};
        const float step[AttributeCount] = {0.0f, 0.0f, 0.05f / 4.0f, 0.01f / 4.0f, 0.0f, 0.0f, 0.0f};
        std::vector<float> depth(40, 1.0f);
        std::vector<std::uint32_t> color(40, 0);
        shader.Span(0, 39, 0, a, step, depth.data(), color.data());
        for (int x = 0; x < 40; ++x) {
            const float n = static_cast<float>(x);
            const std::uint32_t exact = sampler.Linear(a[UOverW] + step[UOverW] * n, a[VOverW] + step[VOverW] * n);
            for (int shift = 0; shift <= 16; shift += 8)
                ASSERT_LE(
                    std::abs(static_cast<int>((color[x] >> shift) & 255) - static_cast<int>((exact >> shift) & 255)), 1)
                    << "v " << startV << " pixel " << x;
        }
    }
}

TEST(TexturedSpan, MonoRunsDrawWhatEachPixelAloneWould) {
    // The mono model's texture colours fall on few levels, so stepping between exact divisions
    // changes a pixel only where a texel boundary and a level boundary meet.
    const CoordinateTexture texture;
    const TextureSampler sampler(texture.Get());
    Ramps ramps;
    FillThresholds(ramps, true);
    ramps.textureLevels.Set(6);
    for (bool linear : {false, true}) {
        const float a[AttributeCount] = {0.5f, 1.0f, 0.25f, 0.5f, 0.7f, 0.0f, 0.0f};
        const float step[AttributeCount] = {1e-4f, -0.5f / 300.0f, 0.3f / 256.0f, 0.2f / 256.0f, 0.001f, 0.0f, 0.0f};
        std::vector<float> depth(300, 1.0f);
        std::vector<std::uint32_t> color(300, 0);
        if (linear)
            MonoTextureShader<true>(&ramps, sampler).Span(0, 299, 1, a, step, depth.data(), color.data());
        else
            MonoTextureShader<false>(&ramps, sampler).Span(0, 299, 1, a, step, depth.data(), color.data());
        int different = 0;
        for (int x = 0; x < 300; ++x) {
            float at[AttributeCount];
            for (int i = 0; i < AttributeCount; ++i) at[i] = a[i] + step[i] * static_cast<float>(x);
            const std::uint32_t alone = linear ? MonoTextureShader<true>(&ramps, sampler)(at, x, 1)
                                               : MonoTextureShader<false>(&ramps, sampler)(at, x, 1);
            different += color[x] != alone;
            EXPECT_FLOAT_EQ(depth[x], at[Depth]);
        }
        EXPECT_LT(different, 15) << (linear ? "linear" : "nearest");
    }
}

// FNV-1a over the pixels.
std::uint64_t Checksum(const std::vector<std::uint32_t>& pixels) {
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint32_t p : pixels) hash = (hash ^ p) * 1099511628211ull;
    return hash;
}

TEST(TexturedSpan, EveryBuildDrawsTheSameBits) {
    // Natively and in the Windows build alike: the golden images are made natively.
    const CoordinateTexture texture;
    const TextureSampler sampler(texture.Get());
    Ramps ramps;
    FillThresholds(ramps, true);
    const float a[AttributeCount] = {0.5f, 1.0f, 0.25f, 0.5f, 0.9f, 0.6f, 0.3f};
    const float step[AttributeCount] = {1e-4f, -0.5f / 300.0f, 0.3f / 256.0f, 0.2f / 256.0f, -0.001f, 0.0005f, 0.001f};
    std::vector<std::uint32_t> nearest(300, 0), linear(300, 0);
    std::vector<float> depth(300, 1.0f);
    RgbTextureShader<false>{&ramps, sampler}.Span(0, 299, 2, a, step, depth.data(), nearest.data());
    depth.assign(300, 1.0f);
    RgbTextureShader<true>{&ramps, sampler}.Span(0, 299, 2, a, step, depth.data(), linear.data());
    EXPECT_EQ(Checksum(nearest), 503831710490604713u);
    EXPECT_EQ(Checksum(linear), 7132584697166505420u);
}

TEST(TexturedSpan, StrayCoordinatesAndLightStayDefined) {
    const CoordinateTexture texture;
    Ramps ramps;
    FillThresholds(ramps, false);
    const RgbTextureShader<false> shader{&ramps, TextureSampler(texture.Get())};
    // Behind the eye, NaN and enormous coordinates read texel 0; NaN light counts as dark, light
    // beyond 1 as full.
    const float corner = 255.5f / 256.0f;  // texel (255, 255): green and blue full
    const struct {
        float a[AttributeCount];
        std::uint32_t expected;
    } cases[] = {{{0.5f, -1.0f, corner, corner, 1.0f, 1.0f, 1.0f}, 0},
                 {{0.5f, 1.0f, NAN, NAN, 1.0f, 1.0f, 1.0f}, 0},
                 {{0.5f, 1e-30f, 1e30f, -1e30f, 1.0f, 1.0f, 1.0f}, 0},
                 {{0.5f, 1.0f, corner, corner, 1.0f, 1.0f, 1.0f}, 0x00FFFF},
                 {{0.5f, 1.0f, corner, corner, 1.0f, NAN, 2.0f}, 0x0000FF},
                 {{0.5f, 1.0f, corner, corner, 1.0f, 2.0f, -1.0f}, 0x00FF00}};
    const float step[AttributeCount] = {};
    for (const auto& c : cases) {
        std::vector<float> depth(40, 1.0f);
        std::vector<std::uint32_t> color(40, 0xFFFFFFFFu);
        shader.Span(0, 39, 0, c.a, step, depth.data(), color.data());
        for (std::uint32_t pixel : color) EXPECT_EQ(pixel, c.expected);
    }
}

}  // namespace
