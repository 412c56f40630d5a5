#pragma once
// Trigonometry and powers computed by our own code: the C libraries of the native and the Windows
// build round these differently in the last place, and the pictures must match bit for bit.

namespace varnoka::rm {

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
