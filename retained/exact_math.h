#pragma once
// Trigonometry and powers computed by our own code: the C libraries of the native and the Windows
// build round these differently in the last place, and the pictures must match bit for bit.

#include <cstdint>

namespace varnoka::rm {

// floor(x) as an integer, for finite x well inside the 64-bit range. Inline, because the Windows
// C library's floor is a call into slow generic code, and the raster floors several times per row.
inline std::int64_t FloorToInteger(double x) {
    const auto truncated = static_cast<std::int64_t>(x);
    return truncated - (x < static_cast<double>(truncated) ? 1 : 0);
}

double Sine(double x);
double Cosine(double x);
// base^exponent for base >= 0; 0^0 is 1.
double Power(double base, double exponent);

// base^n by repeated squaring, as Power works out whole exponents up to 1024.
inline double WholePower(double base, unsigned n) {
    double result = 1.0, square = base;
    while (n != 0) {
        if (n & 1) result *= square;
        square *= square;
        n >>= 1;
    }
    return result;
}

}  // namespace varnoka::rm
