#pragma once
// Rounding and magnitude helpers used for displayed values and axis ticks.
namespace steam::numeric {

/// X rounded half up to Y decimals (a negative Y rounds to tens, hundreds, ...):
/// floor(X * 10^Y + 0.5) / 10^Y, with no correction for binary representation.
/// A product too large to round (beyond double range) leaves X unchanged.
double sswr(double X, int Y);

/// Leading digit of X plus one, after scaling X into [1, 10] in single precision (2 to 11).
/// Returns 2 for X <= 0 or a non-finite X, which have no leading digit.
float firstINT(double X);

/// The power of ten n with X * 10^n in [1, 10], counted in single precision.
/// Returns 0 for X <= 0 or a non-finite X.
int firstMi(double X);

}  // namespace steam::numeric
