#pragma once
// Trigonometry and powers computed by our own code: the C libraries of the native and the Windows
// build round these differently in the last place, and the pictures must match bit for bit.

namespace varnoka::rm {

double Sine(double x);
double Cosine(double x);
// base^exponent for base >= 0; 0^0 is 1.
double Power(double base, double exponent);

}  // namespace varnoka::rm
