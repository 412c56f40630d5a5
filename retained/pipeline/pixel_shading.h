#pragma once
// Colour of one pixel: interpolated light, texture lookup, the mono model's ramps, and the
// ordered dither that spreads the rounding error of every quantisation over a 4x4 pattern.

#include <cstdint>

#include "retained/pipeline/lighting.h"
#include "retained/texture.h"

namespace varnoka::rm {

// The evenly spaced levels of a ramp, from 0 to 1, worked out once a frame so that a pixel looks
// its level up instead of dividing for it.
class RampLevels {
public:
    explicit RampLevels(int levels = 2) { Set(levels); }

    // From 2 to 256 levels.
    void Set(int levels) {
        steps_ = static_cast<float>(levels - 1);
        for (int k = 0; k < levels; ++k) level_[k] = static_cast<float>(k) / steps_;
    }

    // floor(value * (levels - 1) + t) / (levels - 1), for value in [0, 1] and t in [0, 1).
    float Quantize(float value, float t) const { return level_[static_cast<int>(value * steps_ + t)]; }

private:
    float steps_ = 1;
    float level_[256] = {};
};

struct Ramps {
    ColorModel model = ColorModel::Rgb;
    float thresholds[4][4];            // rounding offsets in (0, 1); all 0.5 without dithering
    int fixedThresholds[4][4];         // the same in 1/65536
    int fixedThresholdsFrom[4][4][4];  // [y][x]: the four from column x on, wrapping
    RampLevels shades{32};             // mono: each colour's ramp
    RampLevels textureLevels{2};       // mono: levels per channel of a texture's colours
    RampLevels textureShades{16};      // mono: a textured face's ramp
};

void FillThresholds(Ramps& ramps, bool dither);

// NaN counts as 0.
inline float Clamp01(float v) {
    if (!(v > 0)) return 0;
    return v > 1 ? 1 : v;
}

// A texture channel as a fraction of full.
inline float ChannelUnit(std::uint32_t channel) {
    struct Table {
        float unit[256];
        Table() {
            for (int c = 0; c < 256; ++c) unit[c] = static_cast<float>(c) / 255.0f;
        }
    };
    static const Table table;
    return table.unit[channel & 0xFF];
}

inline std::uint32_t PackBytes(int r, int g, int b) {
    return (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
}

// Channels in [0, 1] to bytes, rounding by the offset t.
inline std::uint32_t PackUnit(float r, float g, float b, float t) {
    return PackBytes(static_cast<int>(Clamp01(r) * 255.0f + t), static_cast<int>(Clamp01(g) * 255.0f + t),
                     static_cast<int>(Clamp01(b) * 255.0f + t));
}

// Four neighbouring texels (a b above c d) mixed by weights in 1/256: wx toward the right, wy
// toward the bottom.
inline std::uint32_t BlendTexels(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, int wx, int wy) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int top = static_cast<int>((a >> shift) & 0xFF) * (256 - wx) + static_cast<int>((b >> shift) & 0xFF) * wx;
        const int bottom =
            static_cast<int>((c >> shift) & 0xFF) * (256 - wx) + static_cast<int>((d >> shift) & 0xFF) * wx;
        const int value = (top * (256 - wy) + bottom * wy + (1 << 15)) >> 16;
        out |= static_cast<std::uint32_t>(value) << shift;
    }
    return out;
}

struct TextureSampler {
    const std::uint32_t* texels = nullptr;
    int width = 1, height = 1;
    bool powerOfTwo = false;
    int widthShift = 0;  // log2 of width, for power-of-two sizes
    float fwidth = 1, fheight = 1;

    explicit TextureSampler(const Texture* texture) {
        if (texture == nullptr) return;
        texels = texture->Pixels();
        width = static_cast<int>(texture->Width());
        height = static_cast<int>(texture->Height());
        powerOfTwo = (width & (width - 1)) == 0 && (height & (height - 1)) == 0;
        while ((1 << widthShift) < width) ++widthShift;
        fwidth = static_cast<float>(width);
        fheight = static_cast<float>(height);
    }

    std::uint32_t Fetch(int x, int y) const {
        if (powerOfTwo) {
            x &= width - 1;
            y &= height - 1;
        } else {
            x %= width;
            y %= height;
            if (x < 0) x += width;
            if (y < 0) y += height;
        }
        return texels[y * width + x];
    }

    // Texture coordinates wrap; far-out ones (and NaN) are held where int conversion stays
    // defined.
    static float Bounded(float v) {
        if (!(v >= -1e9f)) return -1e9f;
        return v > 1e9f ? 1e9f : v;
    }

    static int Floor(float v) {
        v = Bounded(v);
        const int i = static_cast<int>(v);
        return i - (static_cast<float>(i) > v ? 1 : 0);
    }

    std::uint32_t Nearest(float u, float v) const { return Fetch(Floor(u * fwidth), Floor(v * fheight)); }

    std::uint32_t Linear(float u, float v) const { return Filtered(u, v, BlendTexels); }

    // The four texels around (u, v) mixed by blend, which takes them and their weights as BlendTexels does.
    template <class Blend>
    std::uint32_t Filtered(float u, float v, Blend blend) const {
        const float fu = Bounded(u * fwidth - 0.5f);
        const float fv = Bounded(v * fheight - 0.5f);
        const int x = Floor(fu);
        const int y = Floor(fv);
        const int wx = static_cast<int>((fu - static_cast<float>(x)) * 256.0f);
        const int wy = static_cast<int>((fv - static_cast<float>(y)) * 256.0f);
        return blend(Fetch(x, y), Fetch(x + 1, y), Fetch(x, y + 1), Fetch(x + 1, y + 1), wx, wy);
    }
};

// Interpolated values at a pixel: depth, 1/w, u/w, v/w and the three light channels.
enum Attribute { Depth, InverseW, UOverW, VOverW, Red, Green, Blue, AttributeCount };

// A span loop for shaders that colour one pixel at a time from all attributes.
template <class Shader>
struct PerPixelSpan {
    void Span(int first, int last, int y, const float* start, const float* step, float* depth,
              std::uint32_t* color) const {
        const Shader& shader = static_cast<const Shader&>(*this);
        float a[AttributeCount];
        for (int i = 0; i < AttributeCount; ++i) a[i] = start[i];
        for (int x = first; x <= last; ++x) {
            if (a[Depth] < depth[x]) {
                depth[x] = a[Depth];
                color[x] = shader(a, x, y);
            }
            for (int i = 0; i < AttributeCount; ++i) a[i] += step[i];
        }
    }
};

struct RgbShader : PerPixelSpan<RgbShader> {
    explicit RgbShader(const Ramps* r) : ramps(r) {}
    const Ramps* ramps;
    std::uint32_t operator()(const float* a, int x, int y) const {
        return PackUnit(a[Red], a[Green], a[Blue], ramps->thresholds[y & 3][x & 3]);
    }
};

struct MonoShader : PerPixelSpan<MonoShader> {
    MonoShader(const Ramps* r, Vec3 b) : ramps(r), base(b) {}
    const Ramps* ramps;
    Vec3 base;  // the face colour whose ramp is used
    std::uint32_t operator()(const float* a, int x, int y) const {
        const float shade = ramps->shades.Quantize(Clamp01(a[Red]), ramps->thresholds[y & 3][x & 3]);
        return PackUnit(base.x * shade, base.y * shade, base.z * shade, 0.5f);
    }
};

}  // namespace varnoka::rm
