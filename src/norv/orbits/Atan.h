#pragma once
// A branch-free arctangent for the look angles: each epoch takes two for every visible
// satellite, and the library's atan2 was most of an epoch's cost.
#include <algorithm>
#include <cmath>
#include <numbers>

namespace norv::orbits {

// atan(a / b) for 0 <= a <= b, b > 0. Above tan 15 deg, atan t = 30 deg + atan((t sqrt 3 - 1) /
// (t + sqrt 3)) brings the argument to |r| <= tan 15 deg = 0.268, where the odd series to r^13
// is within r^15 / 15 < 2e-10 rad of the true value. With t = a / b the reduced argument is
// (a sqrt 3 - b) / (a + b sqrt 3): one division either way, and no branch that depends on the
// angle (satellites come in no predictable order).
inline double AtanOfRatio(double a, double b) {
  constexpr double kTan15 = 0.26794919243112270, kSqrt3 = 1.7320508075688772;
  const bool shifted = a > b * kTan15;
  const double r = (shifted ? a * kSqrt3 - b : a) / (shifted ? a + b * kSqrt3 : b);
  // The series in r^2 by Estrin's scheme: pairs of terms side by side instead of one long
  // chain of products, which would make each angle wait on the one before.
  const double r2 = r * r, r4 = r2 * r2, r8 = r4 * r4;
  const double low = (1.0 - r2 * (1.0 / 3)) + r4 * (1.0 / 5 - r2 * (1.0 / 7));
  const double high = (1.0 / 9 - r2 * (1.0 / 11)) + r4 * (1.0 / 13);
  return r * (low + r8 * high) + (shifted ? std::numbers::pi / 6 : 0.0);
}

// atan2 within 2e-10 rad.
inline double Atan2(double y, double x) {
  const double ax = std::fabs(x), ay = std::fabs(y);
  const double larger = std::max(ax, ay);
  // Always the series, with 0 / 1 for (0, 0): a loop of these stays free of branches.
  double a = AtanOfRatio(std::min(ax, ay), larger > 0 ? larger : 1.0);
  a = ay > ax ? std::numbers::pi / 2 - a : a;
  a = x < 0 ? std::numbers::pi - a : a;
  return std::copysign(a, y);
}

}  // namespace norv::orbits
