#pragma once
// Fills a big buffer that is not read soon with one 32-bit value. Large frames are bound by
// memory traffic; streaming stores write whole cache lines without reading them first, halving
// the traffic of a clear.

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace varnoka::rm {

inline void Fill32(void* destination, std::uint32_t value, std::size_t count) {
    auto* out = static_cast<std::uint32_t*>(destination);
#if defined(__SSE2__)
    while (count > 0 && (reinterpret_cast<std::uintptr_t>(out) & 15) != 0) {
        *out++ = value;
        --count;
    }
    const __m128i pattern = _mm_set1_epi32(static_cast<int>(value));
    for (; count >= 4; count -= 4, out += 4) _mm_stream_si128(reinterpret_cast<__m128i*>(out), pattern);
    _mm_sfence();
#endif
    for (; count > 0; --count) *out++ = value;
}

}  // namespace varnoka::rm
