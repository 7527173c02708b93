// Dilutions of precision by least squares over the line-of-sight directions.
#include "norv/orbits/Dops.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace norv::orbits {

namespace {

using TMatrix4 = std::array<std::array<double, 4>, 4>;

// A pivot this small relative to the normal matrix's scale (at most the satellite count) means
// the satellites do not fix a position.
constexpr double kSingular = 1e-9;

// The diagonal of N^-1 for a symmetric positive definite N, by its Cholesky factor L
// (N = L L^T): N^-1 = L^-T L^-1, so (N^-1)ii is the sum over k of (L^-1)ki squared. None when
// N is singular (a pivot below kSingular).
std::optional<std::array<double, 4>> InverseDiagonal(const TMatrix4& n) {
  TMatrix4 l{};
  for (int j = 0; j < 4; ++j) {
    double pivot = n[j][j];
    for (int k = 0; k < j; ++k) pivot -= l[j][k] * l[j][k];
    if (pivot < kSingular) return std::nullopt;
    l[j][j] = std::sqrt(pivot);
    for (int i = j + 1; i < 4; ++i) {
      double v = n[i][j];
      for (int k = 0; k < j; ++k) v -= l[i][k] * l[j][k];
      l[i][j] = v / l[j][j];
    }
  }
  TMatrix4 inv{};  // L^-1, lower triangular, by forward substitution
  for (int j = 0; j < 4; ++j) {
    inv[j][j] = 1.0 / l[j][j];
    for (int i = j + 1; i < 4; ++i) {
      double v = 0;
      for (int k = j; k < i; ++k) v -= l[i][k] * inv[k][j];
      inv[i][j] = v / l[i][i];
    }
  }
  std::array<double, 4> diagonal{};
  for (int i = 0; i < 4; ++i)
    for (int k = i; k < 4; ++k) diagonal[i] += inv[k][i] * inv[k][i];
  return diagonal;
}

}  // namespace

std::optional<TDops> DopsOfLinesOfSight(const TLinesOfSight& Used) {
  const std::size_t count = std::min({Used.East.size(), Used.North.size(), Used.Up.size()});
  if (count < 4) return std::nullopt;
  const double* east = Used.East.data();
  const double* north = Used.North.data();
  const double* up = Used.Up.data();
  // The nine distinct sums of the symmetric normal matrix (the tenth is the count).
  double ee = 0, en = 0, eu = 0, e1 = 0, nn = 0, nu = 0, n1 = 0, uu = 0, u1 = 0;
#pragma omp simd reduction(+ : ee, en, eu, e1, nn, nu, n1, uu, u1)
  for (std::size_t i = 0; i < count; ++i) {
    ee += east[i] * east[i];
    en += east[i] * north[i];
    eu += east[i] * up[i];
    e1 += east[i];
    nn += north[i] * north[i];
    nu += north[i] * up[i];
    n1 += north[i];
    uu += up[i] * up[i];
    u1 += up[i];
  }
  const double n = static_cast<double>(count);
  const TMatrix4 normal{{{ee, en, eu, e1}, {en, nn, nu, n1}, {eu, nu, uu, u1}, {e1, n1, u1, n}}};
  const auto q = InverseDiagonal(normal);
  if (!q) return std::nullopt;
  const double horizontal = (*q)[0] + (*q)[1], vertical = (*q)[2];
  if (horizontal <= 0 || vertical <= 0) return std::nullopt;
  return TDops{std::sqrt(horizontal + vertical), std::sqrt(horizontal), std::sqrt(vertical)};
}

std::optional<TDops> DopsOf(std::span<const TLookAngle> Used) {
  constexpr double kDegree = std::numbers::pi / 180.0;
  std::vector<double> east, north, up;
  for (const TLookAngle& a : Used) {
    const double el = a.ElevationDeg * kDegree, az = a.AzimuthDeg * kDegree;
    east.push_back(std::cos(el) * std::sin(az));
    north.push_back(std::cos(el) * std::cos(az));
    up.push_back(std::sin(el));
  }
  return DopsOfLinesOfSight({east, north, up});
}

}  // namespace norv::orbits
