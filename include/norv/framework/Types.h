#pragma once
// Numeric types of the component model.
#include <cstdint>

namespace norv {

// 80-bit extended precision on x86-64; every conversion and field computes in it. Where long
// double is narrower (a plain double) or wider (128-bit quad, as on AArch64 Linux), results are
// computed at that precision instead: a field whose value lies within a rounding step of a
// decimal half (two-decimal rounding, the sixth minute decimal, a distance at the arrival
// radius) may then differ in its last digit from x86-64's text. Everything else is the same.
using Extended = long double;
// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

}  // namespace norv
