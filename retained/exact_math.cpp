#include "retained/exact_math.h"

#include <cmath>

namespace varnoka::rm {
namespace {

constexpr double HalfPiHigh = 1.57079632673412561417e+00;  // first 33 bits of pi/2
constexpr double HalfPiLow = 6.07710050650619224932e-11;   // pi/2 - HalfPiHigh
constexpr double Ln2 = 0.69314718055994530942;

// Series for |r| <= pi/4.
double SineSeries(double r) {
    const double r2 = r * r;
    double term = r;
    double sum = r;
    for (int n = 1; n <= 9; ++n) {
        term *= -r2 / ((2.0 * n) * (2.0 * n + 1.0));
        sum += term;
    }
    return sum;
}

double CosineSeries(double r) {
    const double r2 = r * r;
    double term = 1.0;
    double sum = 1.0;
    for (int n = 1; n <= 9; ++n) {
        term *= -r2 / ((2.0 * n - 1.0) * (2.0 * n));
        sum += term;
    }
    return sum;
}

// Reduces x to r in [-pi/4, pi/4] and the quadrant x lies in.
double Reduce(double x, long long& quadrant) {
    const double k = std::nearbyint(x / (HalfPiHigh + HalfPiLow));
    quadrant = static_cast<long long>(k);
    return (x - k * HalfPiHigh) - k * HalfPiLow;
}

double NaturalLog(double x) {
    int exponent = 0;
    double mantissa = std::frexp(x, &exponent);  // [0.5, 1)
    if (mantissa < 0.70710678118654752440) {
        mantissa *= 2.0;
        --exponent;
    }
    const double s = (mantissa - 1.0) / (mantissa + 1.0);
    const double s2 = s * s;
    double term = s;
    double sum = 0.0;
    for (int n = 0; n < 14; ++n) {
        sum += term / (2.0 * n + 1.0);
        term *= s2;
    }
    return 2.0 * sum + exponent * Ln2;
}

double Exponential(double y) {
    if (y < -745.0) return 0.0;
    if (y > 709.0) return HUGE_VAL;
    const double k = std::floor(y / Ln2);
    const double r = y - k * Ln2;
    double term = 1.0;
    double sum = 1.0;
    for (int n = 1; n <= 20; ++n) {
        term *= r / n;
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));
}

}  // namespace

double Sine(double x) {
    if (!std::isfinite(x)) return std::nan("");
    long long quadrant = 0;
    const double r = Reduce(x, quadrant);
    switch (quadrant & 3) {
        case 0:
            return SineSeries(r);
        case 1:
            return CosineSeries(r);
        case 2:
            return -SineSeries(r);
        default:
            return -CosineSeries(r);
    }
}

double Cosine(double x) {
    if (!std::isfinite(x)) return std::nan("");
    long long quadrant = 0;
    const double r = Reduce(x, quadrant);
    switch (quadrant & 3) {
        case 0:
            return CosineSeries(r);
        case 1:
            return -SineSeries(r);
        case 2:
            return -CosineSeries(r);
        default:
            return SineSeries(r);
    }
}

double Power(double base, double exponent) {
    if (exponent == 0.0) return 1.0;
    if (!(base > 0.0)) return 0.0;
    // Whole exponents, the usual specular powers, by repeated squaring: quicker and exact to
    // the last rounding.
    if (exponent == std::floor(exponent) && exponent > 0 && exponent <= 1024)
        return WholePower(base, static_cast<unsigned>(exponent));
    return Exponential(exponent * NaturalLog(base));
}

}  // namespace varnoka::rm
