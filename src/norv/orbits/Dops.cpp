// Dilutions of precision by least squares over the line-of-sight directions.
#include "norv/orbits/Dops.h"

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

std::optional<TDops> DopsOfLinesOfSight(std::span<const TVector3> Used) {
  if (Used.size() < 4) return std::nullopt;
  // The ten distinct entries of the symmetric normal matrix, each in its own accumulator.
  double ee = 0, en = 0, eu = 0, e1 = 0, nn = 0, nu = 0, n1 = 0, uu = 0, u1 = 0;
  for (const TVector3& v : Used) {
    ee += v.X * v.X;
    en += v.X * v.Y;
    eu += v.X * v.Z;
    e1 += v.X;
    nn += v.Y * v.Y;
    nu += v.Y * v.Z;
    n1 += v.Y;
    uu += v.Z * v.Z;
    u1 += v.Z;
  }
  const double count = static_cast<double>(Used.size());
  const TMatrix4 normal{{{ee, en, eu, e1}, {en, nn, nu, n1}, {eu, nu, uu, u1}, {e1, n1, u1, count}}};
  const auto q = InverseDiagonal(normal);
  if (!q) return std::nullopt;
  const double horizontal = (*q)[0] + (*q)[1], vertical = (*q)[2];
  if (horizontal <= 0 || vertical <= 0) return std::nullopt;
  return TDops{std::sqrt(horizontal + vertical), std::sqrt(horizontal), std::sqrt(vertical)};
}

std::optional<TDops> DopsOf(std::span<const TLookAngle> Used) {
  constexpr double kDegree = std::numbers::pi / 180.0;
  std::vector<TVector3> lines;
  lines.reserve(Used.size());
  for (const TLookAngle& a : Used) {
    const double el = a.ElevationDeg * kDegree, az = a.AzimuthDeg * kDegree;
    lines.push_back({std::cos(el) * std::sin(az), std::cos(el) * std::cos(az), std::sin(el)});
  }
  return DopsOfLinesOfSight(lines);
}

}  // namespace norv::orbits
