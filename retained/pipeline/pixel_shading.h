#pragma once
// Colour of one pixel: interpolated light, texture lookup, the mono model's ramps, and the
// ordered dither that spreads the rounding error of every quantisation over a 4x4 pattern.

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// A pixel's place in the 4 x 4 dither pattern.
inline int DitherPlace(int x, int y) { return ((y & 3) << 2) | (x & 3); }

struct Ramps {
    ColorModel model = ColorModel::Rgb;
    float thresholds[4][4];            // rounding offsets in (0, 1); all 0.5 without dithering
    int fixedThresholds[4][4];         // the same in 1/65536
    int fixedThresholdsFrom[4][4][4];  // [y][x]: the four from column x on, wrapping
    RampLevels shades{32};             // mono: each colour's ramp
    RampLevels textureLevels{2};       // mono: levels per channel of a texture's colours
    RampLevels textureShades{16};      // mono: a textured face's ramp

    // The offsets at a DitherPlace.
    float Threshold(int place) const { return thresholds[place >> 2][place & 3]; }
    int FixedThreshold(int place) const { return fixedThresholds[place >> 2][place & 3]; }
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

#if defined(__SSE2__)
// Values in [0, 1] to bytes, lane by lane, rounding by the offsets t: the maximum comes first, so
// that NaN becomes 0 as in Clamp01.
inline __m128i UnitBytes(__m128 values, __m128 t) {
    const __m128 unit = _mm_min_ps(_mm_max_ps(values, _mm_setzero_ps()), _mm_set1_ps(1.0f));
    return _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(unit, _mm_set1_ps(255.0f)), t));
}

// Channels in the lanes blue, green, red and 0 to bytes, as PackUnit.
inline std::uint32_t PackUnitLanes(__m128 channels, float t) {
    const __m128i bytes = UnitBytes(channels, _mm_set1_ps(t));
    const __m128i words = _mm_packs_epi32(bytes, bytes);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
}

// Four pixels' channels, one pixel to a lane, to bytes as PackUnitLanes, each by its own offset.
inline __m128i PackUnitFour(__m128 red, __m128 green, __m128 blue, __m128 t) {
    return _mm_or_si128(_mm_or_si128(_mm_slli_epi32(UnitBytes(red, t), 16), _mm_slli_epi32(UnitBytes(green, t), 8)),
                        UnitBytes(blue, t));
}
#endif

// Channels in [0, 1] to bytes, rounding by the offset t.
inline std::uint32_t PackUnit(float r, float g, float b, float t) {
#if defined(__SSE2__)
    return PackUnitLanes(_mm_setr_ps(b, g, r, 0.0f), t);
#else
    return PackBytes(static_cast<int>(Clamp01(r) * 255.0f + t), static_cast<int>(Clamp01(g) * 255.0f + t),
                     static_cast<int>(Clamp01(b) * 255.0f + t));
#endif
}

// A pixel of the mono model: the light's intensity on the ramp of colour base, rounded by the
// offset t.
inline std::uint32_t MonoPixel(const Ramps& ramps, Vec3 base, float light, float t) {
    const float shade = ramps.shades.Quantize(Clamp01(light), t);
    return PackUnit(base.x * shade, base.y * shade, base.z * shade, 0.5f);
}

// Four neighbouring texels (a b above c d) mixed by weights in 1/256: wx toward the right, wy
// toward the bottom, in integers, one channel at a time.
inline std::uint32_t BlendTexelsPlain(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, int wx,
                                      int wy) {
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

// The same blend, all channels at once where the processor has SSE2.
inline std::uint32_t BlendTexels(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, int wx, int wy) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const auto pairs = [zero](std::uint32_t first, std::uint32_t second) {
        return _mm_unpacklo_epi8(
            _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(first)), _mm_cvtsi32_si128(static_cast<int>(second))),
            zero);
    };
    // Each channel of a beside the same of b: one multiply-add weighs them; likewise c and d.
    const __m128i across = _mm_set1_epi32((wx << 16) | (256 - wx));
    const __m128i top = _mm_madd_epi16(pairs(a, b), across);
    const __m128i bottom = _mm_madd_epi16(pairs(c, d), across);
    // The rows' sums take 16 bits unsigned, too many for the signed multiply-add: their high and
    // low bytes are weighed apart and put back together exactly.
    const __m128i down = _mm_set1_epi32((wy << 16) | (256 - wy));
    const __m128i byteMask = _mm_set1_epi32(0xFF);
    const __m128i high =
        _mm_madd_epi16(_mm_or_si128(_mm_srli_epi32(top, 8), _mm_slli_epi32(_mm_srli_epi32(bottom, 8), 16)), down);
    const __m128i low = _mm_madd_epi16(
        _mm_or_si128(_mm_and_si128(top, byteMask), _mm_slli_epi32(_mm_and_si128(bottom, byteMask), 16)), down);
    const __m128i value =
        _mm_srli_epi32(_mm_add_epi32(_mm_add_epi32(_mm_slli_epi32(high, 8), low), _mm_set1_epi32(1 << 15)), 16);
    const __m128i words = _mm_packs_epi32(value, value);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words))) & 0xFFFFFFu;
#else
    return BlendTexelsPlain(a, b, c, d, wx, wy);
#endif
}

// A pixel's four texels: a and b side by side in one row, c and d below them in the next.
struct TexelQuad {
    const std::uint32_t* above;  // a, b
    const std::uint32_t* below;  // c, d
    int wx, wy;                  // weights as in BlendTexels
};

#if defined(__SSE2__)
// Two pixels' blends at once into out[0] and out[1], each as BlendTexels. Channels take 16-bit
// lanes, the first pixel's four below the second's.
inline void BlendTexelPair(const TexelQuad& first, const TexelQuad& second, std::uint32_t* out) {
    const __m128i zero = _mm_setzero_si128();
    // Both pixels' texels side by side: a a b b, or c c d d, and then their channels.
    const auto pairs = [](const std::uint32_t* one, const std::uint32_t* other) {
        return _mm_unpacklo_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(one)),
                                  _mm_loadl_epi64(reinterpret_cast<const __m128i*>(other)));
    };
    const __m128i above = pairs(first.above, second.above), below = pairs(first.below, second.below);
    const __m128i channels[4] = {_mm_unpacklo_epi8(above, zero), _mm_unpackhi_epi8(above, zero),
                                 _mm_unpacklo_epi8(below, zero), _mm_unpackhi_epi8(below, zero)};
    const auto weights = [](int w0, int w1) {
        const __m128i both = _mm_cvtsi32_si128(w0 | (w1 << 16));
        const __m128i doubled = _mm_unpacklo_epi16(both, both);
        return _mm_unpacklo_epi32(doubled, doubled);
    };
    const __m128i whole = _mm_set1_epi16(256);
    const __m128i right = weights(first.wx, second.wx), left = _mm_sub_epi16(whole, right);
    // Products and sums of a row stay below 65536, exact in 16 bits.
    const __m128i top = _mm_add_epi16(_mm_mullo_epi16(channels[0], left), _mm_mullo_epi16(channels[1], right));
    const __m128i bottom = _mm_add_epi16(_mm_mullo_epi16(channels[2], left), _mm_mullo_epi16(channels[3], right));
    // Between the rows, the high and the low bytes of the rows' sums are weighed apart, each
    // again below 65536. With high = H, low = L, (256 H + L + 2^15) >> 16 is
    // (H + (L >> 8) + 128) >> 8, whose sum stays below 65536 as the result stays below 256.
    const __m128i down = weights(first.wy, second.wy), up = _mm_sub_epi16(whole, down);
    const __m128i byteMask = _mm_set1_epi16(0xFF);
    const auto weigh = [&](__m128i above, __m128i below) {
        return _mm_add_epi16(_mm_mullo_epi16(above, up), _mm_mullo_epi16(below, down));
    };
    const __m128i high = weigh(_mm_srli_epi16(top, 8), _mm_srli_epi16(bottom, 8));
    const __m128i low = weigh(_mm_and_si128(top, byteMask), _mm_and_si128(bottom, byteMask));
    const __m128i words =
        _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(high, _mm_srli_epi16(low, 8)), _mm_set1_epi16(128)), 8);
    const __m128i bytes = _mm_and_si128(_mm_packus_epi16(words, words), _mm_set1_epi32(0xFFFFFF));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), bytes);
}
#endif

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
// Faces lit at every pixel carry their normal divided by w where others carry light.
constexpr int NormalOverW = Red;

// The attributes a shader reads, its Reads: bits 1 << Attribute. Spans start with those alone
// worked out; the others are 0.
template <int... Read>
constexpr unsigned AttributeSet = ((1u << Depth) | ... | (1u << Read));
constexpr unsigned AllAttributes = (1u << AttributeCount) - 1;

// A span loop for shaders that colour one pixel at a time from depth and the attributes Used;
// the others keep their values at its start. Each value is worked out afresh at every pixel,
// start + step * i, rather than summed: a sum would chain every pixel to the one before by the
// latency of an addition, and would depend on how many pixels go at once.
template <class Shader, int... Used>
struct PerPixelSpan {
    static constexpr unsigned Reads = AttributeSet<Used...>;

    void Span(int first, int last, int y, const float* start, const float* step, float* depth,
              std::uint32_t* color) const {
        const Shader& shader = static_cast<const Shader&>(*this);
        float a[AttributeCount];
        for (int i = 0; i < AttributeCount; ++i) a[i] = start[i];
        for (int x = first; x <= last; ++x) {
            const float i = static_cast<float>(x - first);
            const float z = start[Depth] + step[Depth] * i;
            if (z < depth[x]) {
                depth[x] = z;
                ((a[Used] = start[Used] + step[Used] * i), ...);
                color[x] = shader(a, x, y);
            }
        }
    }
};

struct RgbShader : PerPixelSpan<RgbShader, Red, Green, Blue> {
    explicit RgbShader(const Ramps* r) : ramps(r) {}
    const Ramps* ramps;

    // The pixels PerPixelSpan gives; where the processor has SSE2, four at a time, one to a lane,
    // and the last few with the three channels in one register.
    void Span(int first, int last, int y, const float* start, const float* step, float* depth,
              std::uint32_t* color) const {
#if defined(__SSE2__)
        const float* thresholds = ramps->thresholds[y & 3];
        int x = first;
        // Short spans, most of a car's, go one pixel at a time: setting up the lanes would cost
        // them more than it saves.
        if (last - first >= 7) {
            const __m128 lanes = _mm_setr_ps(0.0f, 1.0f, 2.0f, 3.0f);
            // Groups start four pixels apart, so they share the dither offsets.
            const __m128 t = _mm_setr_ps(thresholds[x & 3], thresholds[(x + 1) & 3], thresholds[(x + 2) & 3],
                                         thresholds[(x + 3) & 3]);
            const auto at = [&](int attribute, __m128 i) {
                return _mm_add_ps(_mm_set1_ps(start[attribute]), _mm_mul_ps(_mm_set1_ps(step[attribute]), i));
            };
            for (; x + 3 <= last; x += 4) {
                const __m128 i = _mm_add_ps(_mm_set1_ps(static_cast<float>(x - first)), lanes);
                const __m128 z = at(Depth, i);
                const __m128 before = _mm_loadu_ps(depth + x);
                const __m128 nearer = _mm_cmplt_ps(z, before);
                const int shown = _mm_movemask_ps(nearer);
                if (shown == 0) continue;
                _mm_storeu_ps(depth + x, _mm_min_ps(z, before));
                __m128i* pixels = reinterpret_cast<__m128i*>(color + x);
                const __m128i painted = PackUnitFour(at(Red, i), at(Green, i), at(Blue, i), t);
                // Where all four are drawn, the colour under them is not read: at large sizes it
                // is rarely in the cache, and the store need not wait for it.
                if (shown == 15) {
                    _mm_storeu_si128(pixels, painted);
                } else {
                    const __m128i chosen = _mm_castps_si128(nearer);
                    _mm_storeu_si128(pixels, _mm_or_si128(_mm_and_si128(chosen, painted),
                                                          _mm_andnot_si128(chosen, _mm_loadu_si128(pixels))));
                }
            }
        }
        const __m128 lightAt = _mm_setr_ps(start[Blue], start[Green], start[Red], 0.0f);
        const __m128 lightStep = _mm_setr_ps(step[Blue], step[Green], step[Red], 0.0f);
        for (; x <= last; ++x) {
            const float i = static_cast<float>(x - first);
            const float z = start[Depth] + step[Depth] * i;
            if (z < depth[x]) {
                depth[x] = z;
                color[x] = PackUnitLanes(_mm_add_ps(lightAt, _mm_mul_ps(lightStep, _mm_set1_ps(i))), thresholds[x & 3]);
            }
        }
#else
        PerPixelSpan<RgbShader, Red, Green, Blue>::Span(first, last, y, start, step, depth, color);
#endif
    }

    std::uint32_t operator()(const float* a, int x, int y) const {
        return PackUnit(a[Red], a[Green], a[Blue], ramps->thresholds[y & 3][x & 3]);
    }
};

struct MonoShader : PerPixelSpan<MonoShader, Red> {
    MonoShader(const Ramps* r, Vec3 b) : ramps(r), base(b) {}
    const Ramps* ramps;
    Vec3 base;  // the face colour whose ramp is used
    std::uint32_t operator()(const float* a, int x, int y) const {
        return MonoPixel(*ramps, base, a[Red], ramps->thresholds[y & 3][x & 3]);
    }
};

}  // namespace varnoka::rm
